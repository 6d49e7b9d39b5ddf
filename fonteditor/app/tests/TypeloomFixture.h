#pragma once

#include "MainFrame.h"
#include "ModalDialogWatcher.h"
#include "TempFolder.h"
#include "TypeloomDocManager.h"
#include "TypeloomShell.h"
#include "WxTesting.h"
#include "WxTypeloomDoc.h"
#include "WxTypeloomForm.h"
#include "WxTypeloomView.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <wx/menu.h>

namespace fs = std::filesystem;

// The editor as it starts, in the test's process: the shell with settings in
// a folder of the test's own, the main window shown and settled.
class CTypeloomTest : public CWxTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh shell over the same settings, as the next start of the program.
    void Restart();

    CMainFrame& Frame() { return *m_pShell->GetMainFrame(); }
    CTypeloomDocManager& Docs() { return m_pShell->GetDocManager(); }
    std::vector<CWxTypeloomDoc*> Documents();
    // The form of the active document window.
    CWxTypeloomForm& Form();
    wxWindow& FormPanel() { return *Form().GetFormPanel(); }

    // The menu bar the main window shows now: its own, or the active
    // document window's.
    wxMenuBar* ShownMenuBar();
    std::vector<std::string> MenuTitles(wxMenuBar* pMenuBar);
    // Item labels of a menu, with their shortcut ("&New\tCtrl+N"); "-" for
    // a separator.
    std::vector<std::string> ItemLabels(const wxMenu& menu);

    // Real keys through the X server, with the pointer over the main window
    // so that the window has the keyboard.
    void PressKeys(int nKeyCode, int nModifiers = 0);
    void PointAtFrame();
    // The screen point at the middle of tool nPos of the toolbar.
    wxPoint ToolCentre(int nPos);

    // A font file of the test's folder.
    fs::path WriteFont(const std::string& strName, const std::vector<std::uint8_t>& bytes);
    std::vector<std::uint8_t> ReadFile(const fs::path& path);
    // Opens a file through File Open (Ctrl+O) and the real file dialog.
    void OpenThroughDialog(const fs::path& path);

    CTempFolder m_folder;
    fs::path m_dir = m_folder.Path();
    fs::path m_settings;
    CModalDialogWatcher m_watcher;
    std::unique_ptr<CTypeloomShell> m_pShell;
};
