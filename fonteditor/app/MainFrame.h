#pragma once

#include <string>

#include <wx/docmdi.h>

class wxMenuBar;
class wxToolBar;

// The main window: menu 128 while no document window is open (each
// document window brings menu 129), toolbar 128 with tooltips and prompts,
// the status bar with the message pane and the CAP, NUM and SCRL
// indicators, the accelerators, and the main window's commands (toolbar and
// status bar, the Window menu, About, Exit). Its title names the active
// document: "Typeloom - [Font1]".
class CMainFrame final : public wxDocMDIParentFrame
{
public:
    explicit CMainFrame(wxDocManager* pManager);

    // The status bar's message pane shows the prompt of the command of wx id
    // nWxId, or "Ready" for wxID_NONE.
    void ShowPrompt(int nWxId);

    // The key indicators and the title as they are now.
    void UpdateIndicators();
    void UpdateTitle();

    // Opens a font File > Import wrote, under the geometry it was made in.
    void OpenImportedFont(const std::string& strPath, unsigned nWidth, unsigned nHeight);

protected:
    // Menu items and toolbar buttons under the pointer show their prompt;
    // when they are left, the status bar says "Ready" again.
    void DoGiveHelp(const wxString& strText, bool bShow) override;

private:
    void CreateToolBar128();
    void CreateStatusBar128();
    void OnIdle(wxIdleEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnFileImport();
    void OnUpdateBar(wxUpdateUIEvent& event);
    void OnUpdateNeedsDocument(wxUpdateUIEvent& event);
};

// Gives the commands' names in the resources (ID_FILE_NEW ...) their wx ids;
// before the first menu or toolbar is loaded.
void RegisterCommandNames();

// Puts the prompts of the string table on the items of a menu bar (the
// status-bar help of each item).
void ApplyCommandPrompts(wxMenuBar& menuBar);
