#include "VF510.h"

#include "DisplayText.h"
#include "PageBytes.h"

#include <string>
#include <vector>

VF510::VF510(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink)
    : CDataExchangeForm(controls, ui), m_polelink(polelink)
{
}

void VF510::DoDataExchange(CDataExchange& dx)
{
    dx.ComboIndex(kContrastList, m_nContrastIndex);
}

void VF510::OnInitDialog()
{
    m_controls.SetItems(kContrastList, NumberItems(kContrastLevels));
    // No indicator is known to be lit until one is clicked.
    m_controls.SetValue(kNoneRadio, -1);
    UpdateData(false);
}

void VF510::OnInitialize()
{
    SendBytes(m_polelink, {0x1B, 0x40});
}

void VF510::OnDisplay()
{
    const std::string strContent = m_controls.GetText(kContentEdit);
    SendBytes(m_polelink, {kClearCommand});
    SendBytes(m_polelink, {0x1B, 0x51, 0x41});
    SendText(m_polelink, ToDisplayText(strContent, kDisplayStartCodeTable).m_strBytes,
             kContentBytes);
    SendBytes(m_polelink, {0x0D});
    ReportMissingCharacters(m_ui, strContent, kDisplayStartCodeTable);
}

void VF510::OnClear()
{
    SendBytes(m_polelink, {kClearCommand});
}

void VF510::SendIndicator(std::uint8_t nIndicator)
{
    SendBytes(m_polelink, {0x1B, 0x73, nIndicator});
}

void VF510::OnNone()
{
    SendIndicator(0);
}

void VF510::OnUnitPrice()
{
    SendIndicator(1);
}

void VF510::OnTotal()
{
    SendIndicator(2);
}

void VF510::OnPay()
{
    SendIndicator(3);
}

void VF510::OnChange()
{
    SendIndicator(4);
}

void VF510::OnThankYou()
{
    const bool bTicked = m_controls.GetValue(kThankYouCheck) == 1;
    SendBytes(m_polelink, {0x1F, 0x50, static_cast<std::uint8_t>(bTicked ? 1 : 0)});
}

void VF510::OnSetContrast()
{
    UpdateData(true);
    m_nContrastIndex = TypedOrChosenIndex(m_controls, m_ui, kContrastList, m_nContrastIndex,
                                          NumberItems(kContrastLevels));
    if (m_nContrastIndex == -1)
        return;
    SendBytes(m_polelink, {0x14, static_cast<std::uint8_t>(m_nContrastIndex)});
}
