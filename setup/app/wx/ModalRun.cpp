#include "ModalRun.h"

#include <wx/evtloop.h>
#include <wx/utils.h>
#include <wx/window.h>

int CModalRun::Run(wxWindow& window)
{
    m_nResult = 0;
    m_bEnding = false;
    wxWindowDisabler disabler(&window);
    window.Show();
    window.Raise();
    wxGUIEventLoop loop;
    m_pLoop = &loop;
    loop.Run();
    m_pLoop = nullptr;
    window.Hide();
    return m_nResult;
}

void CModalRun::End(int nResult)
{
    m_nResult = nResult;
    m_bEnding = true;
    if (m_pLoop)
        m_pLoop->ScheduleExit(nResult);
}
