#pragma once

#include "LibraryPolelink.h"
#include "MainWindow.h"
#include "ModalDialogWatcher.h"
#include "PageEvents.h"
#include "SelectionWindow.h"
#include "TallyboardCommands.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"
#include "WxTesting.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/timer.h>

#include <gtest/gtest.h>

void InitTallyboardResources();

// The setup utility end to end in real windows: the program's windows over
// the stand-in serial library, which talks to vfdsim as COM3 from a
// working directory of the test's own that holds the connection file.
//
// The windows run modally, as in the program: a test's steps inside a
// window run from a timer that fires once its modal loop has started
// (RunInside), and each step list ends its window even when a step failed.
class CTallyboardGuiTest : public CWxTest
{
protected:
    using Bytes = std::vector<std::uint8_t>;

    static constexpr unsigned kPort = 3;

    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Writes the connection file: model, port 3 (vfdsim), baud rate.
    void WriteConnectionFile(const std::string& strModel, int nBaudRate = 9600);

    // Runs steps from a timer once ready() holds, which says that the modal
    // loop they belong in (the selection window's or the main window's) is
    // the one running; then end, which ends that window if it still runs.
    void RunInside(std::function<bool()> ready, std::function<void()> steps,
                   std::function<void()> end);
    // Runs the selection window modally with the steps inside; its result.
    int RunSelectionWindow(const std::function<void(CSelectionWindow&)>& steps);
    // Clicks OK in the selection window and runs the steps inside the main
    // window it opens; they must leave it (an unfinished one is ended).
    void RunMainWindow(CSelectionWindow& selection, const std::function<void(CMainWindow&)>& steps);

    // Real clicks on a list box row and on a notebook tab.
    void ClickListItem(wxWindow& window, int nId, int nItem);
    void ClickTab(CMainWindow& main, int nTab);
    // Opens menu nMenu of the menu bar with a click and chooses the item
    // nSteps down (up when negative) with the keyboard.
    void ChooseMenuItem(CMainWindow& main, int nMenu, int nSteps);
    // Waits for the display bytes after those already checked and checks
    // that exactly these came next.
    void ExpectDisplayBytes(const Bytes& expected);
    void ShowWindowAndSettle(wxWindow& window);
    // The window as a user sees it, kept in build/artifacts.
    void Screenshot(const wxWindow& window, const std::string& strName);

    CTempFolder m_dir;
    CWorkingDirectory m_cwd{m_dir.Path()};
    CVfdsimProcess m_sim;
    CLibraryPolelink m_polelink;
    CModalDialogWatcher m_watcher;
    std::size_t m_nCheckedBytes = 0;

private:
    class CStepTimer final : public wxTimer
    {
    public:
        CStepTimer(std::function<bool()> ready, std::function<void()> run)
            : m_ready(std::move(ready)), m_run(std::move(run))
        {
        }
        void Notify() override
        {
            if (!m_ready())
                return;
            Stop();
            m_run();
        }

    private:
        std::function<bool()> m_ready;
        std::function<void()> m_run;
    };
    std::vector<std::unique_ptr<CStepTimer>> m_timers;
};

// Text as bytes.
std::vector<std::uint8_t> BytesOf(const std::string& strText);
