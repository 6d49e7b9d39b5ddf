#include "PageBytes.h"

#include "DisplayText.h"

#include <algorithm>

void SendBytes(CPolelink& polelink, std::initializer_list<std::uint8_t> bytes)
{
    polelink.WirteStrData(reinterpret_cast<const char*>(bytes.begin()),
                          static_cast<int>(bytes.size()));
}

void SendText(CPolelink& polelink, const std::string& strText, std::size_t nMaxBytes)
{
    const std::size_t nCount = std::min(strText.size(), nMaxBytes);
    polelink.WirteStrData(strText.data(), static_cast<int>(nCount));
}

void SendSelfTest(CPolelink& polelink)
{
    SendBytes(polelink, {0x1F, 0x40});
}

void SendCharacterScreens(CPolelink& polelink, CClock& clock, std::uint8_t nFirst,
                          std::uint8_t nLast)
{
    ShowCharacterScreens(
        nFirst, nLast, clock, [&polelink] { SendBytes(polelink, {kClearCommand}); },
        [&polelink](const std::uint8_t* pCodes, std::size_t nCount) {
            polelink.WirteStrData(reinterpret_cast<const char*>(pCodes), static_cast<int>(nCount));
        });
}

void SendInternationalScreens(CPolelink& polelink, CClock& clock)
{
    SendCharacterScreens(polelink, clock, 0x20, 0x7F);
}

void SendCodeTableScreens(CPolelink& polelink, CClock& clock)
{
    SendCharacterScreens(polelink, clock, 0x80, 0xFF);
}

void ReportMissingCharacters(CUserInterface& ui, const std::string& strUtf8,
                             const std::string& strCodeTable)
{
    const CDisplayText text = ToDisplayText(strUtf8, strCodeTable);
    if (!text.m_strMissing.empty())
        ui.MessageBox(MissingCharactersMessage(text.m_strMissing), EMessageIcon::Information);
}

int TypedOrChosenIndex(CControlAccess& controls, CUserInterface& ui, int nId, int nChosen,
                       const std::vector<std::string>& items)
{
    if (nChosen != -1)
        return nChosen;
    std::string strTyped = controls.GetText(nId);
    strTyped.erase(0, strTyped.find_first_not_of(' '));
    strTyped.erase(strTyped.find_last_not_of(' ') + 1);
    if (strTyped.empty())
        return -1;
    const auto it = std::find(items.begin(), items.end(), strTyped);
    if (it != items.end())
        return static_cast<int>(it - items.begin());
    std::string strAllowed;
    for (const std::string& strItem : items)
        strAllowed += (strAllowed.empty() ? "" : ", ") + strItem;
    ui.MessageBox("\"" + strTyped +
                  "\" is not in the list. Please type or choose one of: " + strAllowed + ".");
    return -1;
}
