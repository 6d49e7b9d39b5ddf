#include "Settings.h"

#include "PageBytes.h"

#include <string>
#include <vector>

std::uint8_t SelectionCommandByte(int nIndex)
{
    if (nIndex == 13)
        return 0x0E;
    if (nIndex == 14)
        return 0x0D;
    return static_cast<std::uint8_t>(nIndex);
}

Settings::Settings(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink,
                   CDisplayState& display)
    : CDataExchangeForm(controls, ui), m_polelink(polelink), m_display(display)
{
}

void Settings::DoDataExchange(CDataExchange& dx)
{
    dx.ComboIndex(kBaudRateList, m_nBaudIndex);
    dx.ComboIndex(kContrastList, m_nContrastIndex);
    dx.Radio(kInternationalRadio, m_nLanguage);
    dx.ComboIndex(kCharSetList, m_nCharSetIndex);
    dx.ComboIndex(kCodeTableList, m_nCodeTableIndex);
    dx.ComboIndex(kFontTypeList, m_nFontTypeIndex);
}

void Settings::OnInitDialog()
{
    m_controls.SetItems(kBaudRateList, ListItems(kBaudRateItems));
    m_controls.SetItems(kContrastList, ListItems(kContrastItems));
    m_controls.SetItems(kCharSetList, ListItems(kCharSetItems));
    m_controls.SetItems(kCodeTableList, ListItems(kCodeTableItems));
    m_controls.SetItems(kFontTypeList, ListItems(kFontTypeItems));
    UpdateData(false);
}

void Settings::Send(std::initializer_list<std::uint8_t> bytes)
{
    SendBytes(m_polelink, bytes);
}

void Settings::OnUpdate()
{
    UpdateData(true);

    // Anything but "International Language" (Chinese, or no radio set) sends '0'.
    Send({0x02, 0x05, 0x52, static_cast<std::uint8_t>(m_nLanguage == 0 ? '1' : '0'), 0x03});
    if (m_nCharSetIndex >= 0)
        Send({0x1B, 0x52, SelectionCommandByte(m_nCharSetIndex)});
    if (m_nCodeTableIndex >= 0)
    {
        Send({0x1B, 0x74, SelectionCommandByte(m_nCodeTableIndex)});
        const auto index = static_cast<std::size_t>(m_nCodeTableIndex);
        if (m_bVF620Tables && index < kVF620CodeTableItems.size())
            m_display.m_strCodeTable = kVF620CodeTableItems[index];
        else if (!m_bVF620Tables && index < kCodeTableItems.size())
            m_display.m_strCodeTable = kCodeTableItems[index];
    }
    if (m_nContrastIndex >= 0)
        Send({0x1F, 0x58, static_cast<std::uint8_t>(m_nContrastIndex + 1), 0x1B, 0x40});
    if (m_nBaudIndex >= 0 && m_nBaudIndex < static_cast<int>(kBaudRateDigits.size()))
    {
        Send({0x02, 0x05, 0x42, kBaudRateDigits[static_cast<std::size_t>(m_nBaudIndex)], 0x03});
        m_ui.MessageBox(CMessageBoxRequest{kMsgSettingsApplied, kCaptionHint, EMessageIcon::None,
                                           EMessageButtons::Ok});
    }
}

void Settings::OnReset()
{
    m_nBaudIndex = 3;
    m_nContrastIndex = 2;
    m_nLanguage = 0;
    m_nCharSetIndex = 0;
    m_nCodeTableIndex = 0;
    m_nFontTypeIndex = 0;
    UpdateData(false);
}

void Settings::AdaptToVF620()
{
    m_controls.SetItems(kCodeTableList, ListItems(kVF620CodeTableItems));
    m_bVF620Tables = true;
    m_controls.ShowControl(kChineseRadio, false);
    m_controls.ShowControl(kBaudRateList, false);
    m_controls.SetText(kBaudRateLabel, kVF620BaudRateLabel);
    UpdateData(false);
}

CSettingsValues Settings::GetFileValues() const
{
    return {m_nBaudIndex, m_nContrastIndex, m_nLanguage, m_nCharSetIndex, m_nCodeTableIndex};
}

void Settings::SetFileValues(const CSettingsValues& values)
{
    m_nBaudIndex = values.m_nBaudIndex;
    m_nContrastIndex = values.m_nContrastIndex;
    m_nLanguage = values.m_nLanguage;
    m_nCharSetIndex = values.m_nCharSetIndex;
    m_nCodeTableIndex = values.m_nCodeTableIndex;
}
