#include "PagewingApp.h"

int CPagewingApp::Run(CPagewingStart& start)
{
    std::string strError;
    CVf620Calls* pDriver = start.BindDriver(strError);
    if (!pDriver)
    {
        start.ReportStartFailure("Pagewing cannot start: " + strError);
        return kExitDriverMissing;
    }
    // The dialog's result is not used.
    return start.RunMainDialog(*pDriver) ? kExitOk : kExitNoWindowSystem;
}
