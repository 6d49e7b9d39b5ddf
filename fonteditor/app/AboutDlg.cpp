#include "AboutDlg.h"

#include "TypeloomCommands.h"
#include "WxResources.h"

CAboutDlg::CAboutDlg(wxWindow* pParent)
{
    LoadXrcDialog(*this, pParent, kIddAboutBox);
}
