#include "FakeControls.h"

#include <stdexcept>

int CFakeControls::GetRadioIndex(int nFirstId)
{
    const auto it = m_radios.find(nFirstId);
    if (it == m_radios.end())
        throw std::logic_error("no radio group at " + std::to_string(nFirstId));
    return it->second.m_nChecked;
}

void CFakeControls::SetRadioIndex(int nFirstId, int nIndex)
{
    const auto it = m_radios.find(nFirstId);
    if (it == m_radios.end())
        throw std::logic_error("no radio group at " + std::to_string(nFirstId));
    // An index outside the group checks no button, as with real radio buttons.
    it->second.m_nChecked = nIndex >= 0 && nIndex < it->second.m_nCount ? nIndex : -1;
}

int CFakeControls::GetSelectionIndex(int nId)
{
    const auto it = m_selections.find(nId);
    return it == m_selections.end() ? -1 : it->second;
}

void CFakeControls::SetSelectionIndex(int nId, int nIndex)
{
    const auto& items = m_items[nId];
    m_selections[nId] = nIndex >= 0 && nIndex < static_cast<int>(items.size()) ? nIndex : -1;
}

void CFakeControls::AddRadioGroup(int nFirstId, int nCount)
{
    m_radios[nFirstId] = CRadioGroup{nCount, -1};
}

void CFakeControls::SetItems(int nId, std::vector<std::string> items)
{
    m_items[nId] = std::move(items);
    m_selections[nId] = -1;
}
