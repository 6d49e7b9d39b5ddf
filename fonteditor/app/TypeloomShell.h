#pragma once

#include <memory>

#include <wx/confbase.h>
#include <wx/string.h>

class CMainFrame;
class CTypeloomDocManager;

// The editor's start-up and what lives as long as the program: the settings,
// the document manager with its recent-file list and document type, and the
// main window. The application object runs it; tests run it in their own
// process.
class CTypeloomShell
{
public:
    explicit CTypeloomShell(std::unique_ptr<wxConfigBase> pSettings);
    ~CTypeloomShell();
    CTypeloomShell(const CTypeloomShell&) = delete;
    CTypeloomShell& operator=(const CTypeloomShell&) = delete;

    // Reads the recent files, registers the document type, makes the main
    // window and shows it maximised, with no document. False when the main
    // window cannot be made.
    bool Start();

    CMainFrame* GetMainFrame() const { return m_pMainFrame; }
    CTypeloomDocManager& GetDocManager() const { return *m_pDocManager; }
    wxConfigBase& GetSettings() const { return *m_pSettings; }

    // Closes every document without asking and the main window (tests).
    void CloseWithoutSaving();

private:
    std::unique_ptr<wxConfigBase> m_pSettings;
    std::unique_ptr<CTypeloomDocManager> m_pDocManager;
    CMainFrame* m_pMainFrame = nullptr;
    long m_nPreviewPages = 0;
};

// The editor's settings store, per user, under "Local AppWizard-Generated
// Applications" and "Typeloom": the registry on Windows; elsewhere
// <config folder>/Local AppWizard-Generated Applications/Typeloom.conf, the
// config folder being $XDG_CONFIG_HOME or ~/.config.
std::unique_ptr<wxConfigBase> OpenTypeloomSettings();
wxString TypeloomSettingsFile();

inline constexpr const char* kSettingsVendor = "Local AppWizard-Generated Applications";
