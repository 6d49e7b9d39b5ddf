#include "TypeloomShell.h"

#include "MainFrame.h"
#include "RecentFileList.h"
#include "TypeloomDocManager.h"
#include "TypeloomDocTemplate.h"
#include "TypeloomStrings.h"
#include "WxTypeloomDoc.h"

#include <cstdlib>

#include <wx/app.h>
#include <wx/config.h>
#include <wx/display.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

namespace
{
constexpr const char* kPreviewPagesKey = "/Settings/PreviewPages";
} // namespace

wxString TypeloomSettingsFile()
{
    wxString folder;
    wxGetEnv("XDG_CONFIG_HOME", &folder);
    if (folder.empty())
        folder = wxFileName::GetHomeDir() + "/.config";
    return folder + "/" + kSettingsVendor + "/" + kAppTitle + ".conf";
}

std::unique_ptr<wxConfigBase> OpenTypeloomSettings()
{
#ifdef __WXMSW__
    return std::make_unique<wxConfig>(kAppTitle, kSettingsVendor);
#else
    const wxFileName file(TypeloomSettingsFile());
    file.Mkdir(wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    return std::make_unique<wxFileConfig>(kAppTitle, kSettingsVendor, file.GetFullPath(),
                                          wxString(), wxCONFIG_USE_LOCAL_FILE);
#endif
}

CTypeloomShell::CTypeloomShell(std::unique_ptr<wxConfigBase> pSettings)
    : m_pSettings(std::move(pSettings)), m_pDocManager(std::make_unique<CTypeloomDocManager>())
{
}

CTypeloomShell::~CTypeloomShell()
{
    if (m_pMainFrame)
        m_pMainFrame->Destroy();
    m_pDocManager->Clear(true);
    if (m_nPreviewPages != 0)
    {
        m_pSettings->Write(kPreviewPagesKey, m_nPreviewPages);
        m_pSettings->Flush();
    }
}

bool CTypeloomShell::Start()
{
    // The standard settings: the recent files and the preview's page count.
    CRecentFileList& recent = m_pDocManager->GetRecentFiles();
    recent.Load(*m_pSettings);
    recent.SetStore(m_pSettings.get());
    m_nPreviewPages = m_pSettings->ReadLong(kPreviewPagesKey, 0);

    if (wxTheApp)
        wxTheApp->SetAppDisplayName(kAppTitle); // the caption of message boxes
    RegisterCommandNames();
    m_pMainFrame = new CMainFrame(m_pDocManager.get());
    m_pMainFrame->Bind(wxEVT_DESTROY,
                       [this](wxWindowDestroyEvent& event)
                       {
                           if (event.GetEventObject() == m_pMainFrame)
                               m_pMainFrame = nullptr;
                           event.Skip();
                       });
    // The document type; the document manager owns it.
    new CTypeloomDocTemplate(m_pDocManager.get(), m_pMainFrame);
    if (wxTheApp)
        wxTheApp->SetTopWindow(m_pMainFrame);

    // No document at start-up, whatever the command line names. The main
    // window fills the screen also where nothing maximises it (no window
    // manager).
    const int nDisplay = wxDisplay::GetFromWindow(m_pMainFrame);
    m_pMainFrame->SetSize(wxDisplay(nDisplay == wxNOT_FOUND ? 0 : nDisplay).GetClientArea());
    m_pMainFrame->Maximize();
    m_pMainFrame->Show();
    m_pMainFrame->Update();
    return true;
}

void CTypeloomShell::CloseWithoutSaving()
{
    for (wxDocument* pDoc : m_pDocManager->GetDocumentsVector())
        if (auto* pOurs = dynamic_cast<CWxTypeloomDoc*>(pDoc))
            pOurs->Discard();
    m_pDocManager->CloseDocuments(true);
    if (m_pMainFrame)
        m_pMainFrame->Destroy();
}
