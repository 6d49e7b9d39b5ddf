#include "FakeControls.h"

int CFakeControls::GetValue(int nId)
{
    if (const auto radio = m_radios.find(nId); radio != m_radios.end())
        return radio->second.m_nChecked;
    if (m_items.contains(nId))
        return m_selections[nId];
    return m_checks[nId];
}

void CFakeControls::SetValue(int nId, int nValue)
{
    auto inRange = [&](std::size_t nCount)
    { return nValue >= 0 && nValue < static_cast<int>(nCount) ? nValue : -1; };
    // An index outside the group or the list checks or selects nothing, as
    // with the real controls.
    if (const auto radio = m_radios.find(nId); radio != m_radios.end())
        radio->second.m_nChecked = inRange(static_cast<std::size_t>(radio->second.m_nCount));
    else if (const auto items = m_items.find(nId); items != m_items.end())
        m_selections[nId] = inRange(items->second.size());
    else
        m_checks[nId] = nValue;
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
