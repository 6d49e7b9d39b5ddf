#include "Diagnostic.h"

#include "DisplayText.h"
#include "PageBytes.h"

Diagnostic::Diagnostic(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink,
                       CClock& clock)
    : m_controls(controls), m_ui(ui), m_polelink(polelink), m_clock(clock)
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
    SendBytes(m_polelink, {kClearCommand});
    SendText(m_polelink, ToDisplayText(strFirst, kDisplayStartCodeTable).m_strBytes, kLineBytes);
    SendBytes(m_polelink, {0x0D, 0x0A});
    SendText(m_polelink, ToDisplayText(strSecond, kDisplayStartCodeTable).m_strBytes, kLineBytes);
    ReportMissingCharacters(m_ui, strFirst + strSecond, kDisplayStartCodeTable);
}

void Diagnostic::OnClear()
{
    SendBytes(m_polelink, {kClearCommand});
}
