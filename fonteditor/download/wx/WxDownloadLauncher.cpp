#include "WxDownloadLauncher.h"

#include "WxDownloadDlg.h"

void CWxDownloadLauncher::RunDownloadDialog(const std::string& strPath, int nGlyphWidth,
                                            int nGlyphHeight)
{
    CWxDownloadDlg dialog(m_pOwner);
    dialog.m_dlg.m_strFilePath = strPath;
    dialog.m_dlg.m_nGlyphWidth = nGlyphWidth;
    dialog.m_dlg.m_nGlyphHeight = nGlyphHeight;
    dialog.ShowModal();
}
