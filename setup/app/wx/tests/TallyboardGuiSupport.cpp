#include "TallyboardGuiSupport.h"

#include "ConnectionFile.h"

#include <gtk/gtk.h>

#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>

std::vector<std::uint8_t> BytesOf(const std::string& strText)
{
    return {strText.begin(), strText.end()};
}

void CTallyboardGuiTest::SetUpTestSuite()
{
    static bool s_bLoaded = false;
    if (s_bLoaded)
        return;
    InitTallyboardResources();
    InitPageResources();
    // A blinking text cursor never lets the windows settle for a picture.
    g_object_set(gtk_settings_get_default(), "gtk-cursor-blink", FALSE, nullptr);
    s_bLoaded = true;
}

void CTallyboardGuiTest::SetUp()
{
    // A short quiet time: text at the end of a command shows in the
    // transcript soon after it came.
    ASSERT_TRUE(m_sim.Start(kPort, {"--idle-ms", "150"}));
    // The port through the user's map alone, as a program started from a
    // desktop menu finds it.
    m_sim.PublishInUserPortMap();
}

void CTallyboardGuiTest::TearDown()
{
    // The library keeps its connection between calls, as the program does;
    // closed here, so the next test's vfdsim gets a fresh one.
    m_polelink.CloseComm();
    CWxTest::TearDown();
}

void CTallyboardGuiTest::WriteConnectionFile(const std::string& strModel, int nBaudRate)
{
    CConnectionFile file(kConnectionFilePath);
    ASSERT_TRUE(file.Write(CConnectionSettings{strModel, static_cast<int>(kPort), nBaudRate}))
        << file.GetLastError();
}

void CTallyboardGuiTest::RunInside(std::function<bool()> ready, std::function<void()> steps,
                                   std::function<void()> end)
{
    auto pTimer = std::make_unique<CStepTimer>(std::move(ready),
                                               [steps = std::move(steps), end = std::move(end)]
                                               {
                                                   steps();
                                                   end();
                                               });
    pTimer->Start(20);
    m_timers.push_back(std::move(pTimer));
}

int CTallyboardGuiTest::RunSelectionWindow(const std::function<void(CSelectionWindow&)>& steps)
{
    CSelectionWindow selection(nullptr, m_polelink, CClock::Real());
    RunInside([&] { return selection.IsRunning(); },
              [&]
              {
                  EXPECT_TRUE(PumpUntil([&] { return selection.IsShownOnScreen(); }));
                  Settle();
                  steps(selection);
              },
              [&]
              {
                  if (selection.IsRunning())
                  {
                      ADD_FAILURE() << "the selection window was still open after the test's steps";
                      selection.EndDialog(kIdCancel);
                  }
              });
    return selection.RunModal();
}

void CTallyboardGuiTest::RunMainWindow(CSelectionWindow& selection,
                                       const std::function<void(CMainWindow&)>& steps)
{
    RunInside([&] { return selection.MainWindow() && selection.MainWindow()->IsRunning(); },
              [&]
              {
                  CMainWindow* pMain = selection.MainWindow();
                  ASSERT_NE(pMain, nullptr) << "OK ran no main window";
                  EXPECT_TRUE(PumpUntil([&] { return pMain->IsShownOnScreen(); }));
                  Settle();
                  steps(*pMain);
              },
              [&]
              {
                  if (CMainWindow* pMain = selection.MainWindow(); pMain && pMain->IsRunning())
                  {
                      ADD_FAILURE() << "the main window was still open after the test's steps";
                      pMain->Logic().OnReselectDisplay();
                  }
              });
    ClickControl(selection, kIdOk);
    // Once the main window has ended, the selection window shows again.
    EXPECT_TRUE(PumpUntil([&] { return selection.MainWindow() == nullptr; }));
}

void CTallyboardGuiTest::ClickListItem(wxWindow& window, int nId, int nItem)
{
    auto* pList = dynamic_cast<wxListBox*>(FindControl(window, nId));
    ASSERT_NE(pList, nullptr);
    const wxSize size = pList->GetClientSize();
    for (int y = 1; y < size.y; ++y)
        if (pList->HitTest(wxPoint(size.x / 2, y)) == nItem)
        {
            // A few pixels into the row, clear of its edge.
            ClickControl(window, nId, wxPoint(size.x / 2, y + 4));
            return;
        }
    ADD_FAILURE() << "row " << nItem << " of list " << nId << " is not on the screen";
}

void CTallyboardGuiTest::ClickTab(CMainWindow& main, int nTab)
{
    wxNotebook& tabs = main.TabControl();
    const wxSize size = tabs.GetSize();
    for (int y = 2; y < 40; y += 3)
        for (int x = 2; x < size.x; x += 3)
            if (tabs.HitTest(wxPoint(x, y)) == nTab)
            {
                ClickAt(tabs.ClientToScreen(wxPoint(x + 6, y + 3)));
                return;
            }
    ADD_FAILURE() << "tab " << nTab << " is not on the screen";
}

void CTallyboardGuiTest::ChooseMenuItem(CMainWindow& main, int nMenu, int nSteps)
{
    wxMenuBar* pBar = main.GetMenuBar();
    ASSERT_NE(pBar, nullptr);
    // The menus' titles sit side by side from the bar's left edge.
    int x = 8;
    for (int i = 0; i < nMenu; ++i)
        x +=
            static_cast<int>(pBar->GetMenuLabelText(static_cast<std::size_t>(i)).length()) * 8 + 16;
    ClickAt(pBar->ClientToScreen(wxPoint(x + 6, pBar->GetClientSize().y / 2)));
    Settle(std::chrono::milliseconds(500));
    for (int i = 0; i < std::abs(nSteps); ++i)
        PressKey(nSteps > 0 ? WXK_DOWN : WXK_UP);
    PressKey(WXK_RETURN);
}

void CTallyboardGuiTest::ExpectDisplayBytes(const Bytes& expected)
{
    const Bytes got =
        m_sim.WaitForDisplayBytes(m_nCheckedBytes + expected.size(), std::chrono::seconds(5));
    const Bytes tail(got.begin() +
                         static_cast<std::ptrdiff_t>(std::min(m_nCheckedBytes, got.size())),
                     got.end());
    EXPECT_EQ(tail, expected);
    m_nCheckedBytes = got.size();
}

void CTallyboardGuiTest::ShowWindowAndSettle(wxWindow& window)
{
    window.Show();
    EXPECT_TRUE(PumpUntil([&] { return window.IsShownOnScreen(); }));
    Settle();
}

void CTallyboardGuiTest::Screenshot(const wxWindow& window, const std::string& strName)
{
    Settle();
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("tallyboard/" + strName + ".png"), &window));
}
