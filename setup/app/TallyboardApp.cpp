#include "TallyboardApp.h"

bool CTallyboardApp::InitInstance()
{
    m_site.InitCommonControls();
    m_site.RunSelectionWindow();
    return false;
}
