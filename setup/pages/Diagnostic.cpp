#include "Diagnostic.h"

#include "DisplayText.h"
#include "PageBytes.h"

Diagnostic::Diagnostic(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink,
                       CClock& clock, const CDisplayState& display)
    : m_controls(controls), m_ui(ui), m_polelink(polelink), m_clock(clock), m_display(display)
{
}

void Diagnostic::OnSelfTest()
{
    SendSelfTest(m_polelink);
}

void Diagnostic::OnDisplayInternational()
{
    SendInternationalScreens(m_polelink, m_clock);
}

void Diagnostic::OnDisplayCodeTable()
{
    SendCodeTableScreens(m_polelink, m_clock);
}

void Diagnostic::OnInitialize()
{
    m_polelink.Init();
}

void Diagnostic::OnDisplay()
{
    const std::string strFirst = m_controls.GetText(kFirstLineEdit);
    const std::string strSecond = m_controls.GetText(kSecondLineEdit);
    const std::string& strTable = m_display.m_strCodeTable;
    SendBytes(m_polelink, {kClearCommand});
    SendText(m_polelink, ToDisplayText(strFirst, strTable).m_strBytes, kLineBytes);
    SendBytes(m_polelink, {0x0D, 0x0A});
    SendText(m_polelink, ToDisplayText(strSecond, strTable).m_strBytes, kLineBytes);
    ReportMissingCharacters(m_ui, strFirst + strSecond, strTable);
}

void Diagnostic::OnClear()
{
    SendBytes(m_polelink, {kClearCommand});
}
