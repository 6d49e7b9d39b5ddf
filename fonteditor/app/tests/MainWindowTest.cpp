// The main window as the program starts and as documents come and go: menus,
// toolbar, status bar, title, document windows.

#include "AboutDlg.h"
#include "TypeloomCommands.h"
#include "TypeloomFixture.h"
#include "TypeloomStrings.h"
#include "WxControlAccess.h"
#include "WxText.h"

#include <wx/display.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

using TypeloomWindow = CTypeloomTest;

TEST_F(TypeloomWindow, StartsEmptyAndFullScreenWithMenu128)
{
    EXPECT_TRUE(Documents().empty());
    EXPECT_EQ(Frame().GetTitle(), "Typeloom");
    const wxRect screen = wxDisplay(0u).GetClientArea();
    EXPECT_EQ(Frame().GetScreenRect().GetSize(), screen.GetSize());

    wxMenuBar* pMenuBar = ShownMenuBar();
    ASSERT_EQ(pMenuBar, Frame().GetMenuBar());
    EXPECT_EQ(MenuTitles(pMenuBar), (std::vector<std::string>{"&File", "&View", "&Help"}));
    EXPECT_EQ(ItemLabels(*pMenuBar->GetMenu(0)),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Import...", "-",
                                        "P&rint Setup...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_FALSE(pMenuBar->IsEnabled(WxCommandId(kCmdFileMru1))); // no recent files yet
    EXPECT_EQ(ItemLabels(*pMenuBar->GetMenu(2)), std::vector<std::string>{"&About Typeloom..."});

    // Status bar: the message pane, then CAP, NUM and SCRL.
    wxStatusBar* pStatus = Frame().GetStatusBar();
    ASSERT_EQ(pStatus->GetFieldsCount(), 4);
    // The screen's pointer may rest where an earlier test left it, over a
    // button whose prompt then shows: away from the buttons, "Ready".
    PointAtFrame();
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(0) == "Ready"; }))
        << pStatus->GetStatusText(0);
    EXPECT_EQ(pStatus->GetStatusWidth(0), -1);
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(pStatus->GetStatusWidth(i), pStatus->GetTextExtent(kIndicatorTexts[i - 1]).x);

    // Toolbar 128: New, Open, Save | Cut, Copy, Paste | Print | About.
    wxToolBar* pToolBar = Frame().GetToolBar();
    ASSERT_NE(pToolBar, nullptr);
    std::vector<int> ids;
    for (int i = 0; i < static_cast<int>(pToolBar->GetToolsCount()); ++i)
        ids.push_back(pToolBar->GetToolByPos(i)->IsSeparator()
                          ? 0
                          : CommandFromWxId(pToolBar->GetToolByPos(i)->GetId()));
    EXPECT_EQ(ids,
              (std::vector<int>{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57607, 0, 57664}));
    EXPECT_EQ(pToolBar->GetToolShortHelp(WxCommandId(57601)), "Open");
    EXPECT_EQ(pToolBar->GetToolLongHelp(WxCommandId(57601)), "Open an existing document");
    EXPECT_EQ(pToolBar->GetToolBitmapSize(), wxSize(16, 15));
    // Without a document the document's buttons are off.
    Frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(pToolBar->GetToolEnabled(WxCommandId(kCmdFileNew)));
    EXPECT_FALSE(pToolBar->GetToolEnabled(WxCommandId(kCmdFileSave)));
    EXPECT_FALSE(pToolBar->GetToolEnabled(WxCommandId(57634)));
}

TEST_F(TypeloomWindow, EveryMenuItemAndButtonHasItsPrompt)
{
    ASSERT_TRUE(Docs().CreateNewDocument());
    for (wxMenuBar* pMenuBar : {Frame().GetMenuBar(), ShownMenuBar()})
        for (std::size_t i = 0; i < pMenuBar->GetMenuCount(); ++i)
            for (const wxMenuItem* pItem : pMenuBar->GetMenu(i)->GetMenuItems())
            {
                if (pItem->IsSeparator())
                    continue;
                const CCommandPrompt* pPrompt = FindCommandPrompt(CommandFromWxId(pItem->GetId()));
                ASSERT_NE(pPrompt, nullptr) << FromWx(pItem->GetItemLabel());
                EXPECT_EQ(FromWx(pItem->GetHelp()), pPrompt->m_pszPrompt);
            }
    EXPECT_STREQ(FindCommandPrompt(kCmdFileDownload)->m_pszPrompt, "Download font by serial port.");
    EXPECT_STREQ(FindCommandPrompt(kCmdFileExport)->m_pszPrompt, ""); // it has none
}

TEST_F(TypeloomWindow, NewFromTheToolbarGivesFont1MaximisedWithMenu129)
{
    ClickAt(ToolCentre(0));
    ASSERT_TRUE(PumpUntil([&] { return Documents().size() == 1; }));
    Settle();
    CWxTypeloomDoc& doc = *Documents().front();
    EXPECT_EQ(doc.GetTitle(), "Font1");
    EXPECT_EQ(doc.GetDoc().GetPathName(), "");

    wxMDIChildFrame* pChild = Frame().GetActiveChild();
    ASSERT_NE(pChild, nullptr);
    EXPECT_TRUE(pChild->IsMaximized());
    // The document window fills the main window's client area, form and all.
    const wxSize client = Frame().GetClientWindow()->GetClientSize();
    EXPECT_GE(pChild->GetSize().x, client.x - 4);
    EXPECT_GE(pChild->GetSize().y, client.y - 40); // less the tab
    EXPECT_TRUE(PumpUntil([&] { return Frame().GetTitle() == "Typeloom - [Font1]"; }))
        << Frame().GetTitle();

    wxMenuBar* pMenuBar = ShownMenuBar();
    ASSERT_NE(pMenuBar, Frame().GetMenuBar());
    EXPECT_TRUE(pMenuBar->IsShownOnScreen());
    EXPECT_FALSE(Frame().GetMenuBar()->IsShownOnScreen());
    EXPECT_EQ(MenuTitles(pMenuBar),
              (std::vector<std::string>{"&File", "&Edit", "&Glyph", "&View", "&Window", "&Help"}));
    EXPECT_EQ(ItemLabels(*pMenuBar->GetMenu(0)),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Import...", "&Close",
                                        "&Save\tCtrl+S", "Save &As...", "-", "&Print...\tCtrl+P",
                                        "Print Pre&view", "P&rint Setup...", "-", "&Download...",
                                        "Export to C Array...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(ItemLabels(*pMenuBar->GetMenu(1)),
              (std::vector<std::string>{"&Undo\tCtrl+Z", "-", "Cu&t\tCtrl+X", "&Copy\tCtrl+C",
                                        "&Paste\tCtrl+V", "-", "&Go to Code...\tCtrl+G",
                                        "Pre&vious Page\tPage Up", "Ne&xt Page\tPage Down",
                                        "&First Page\tCtrl+Home", "&Last Page\tCtrl+End"}));
    EXPECT_EQ(
        ItemLabels(*pMenuBar->GetMenu(2)),
        (std::vector<std::string>{"&Invert", "Flip &Horizontally", "Flip &Vertically", "-",
                                  "Shift &Left", "Shift &Right", "Shift &Up", "Shift &Down"}));
    EXPECT_EQ(ItemLabels(*pMenuBar->GetMenu(4)),
              (std::vector<std::string>{"&New Window", "&Cascade", "&Tile", "&Arrange Icons"}));
    Frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(Frame().GetToolBar()->GetToolEnabled(WxCommandId(kCmdFileSave)));

    // Ctrl+N, a real key: the next new document is Font2.
    PressKeys('n', wxMOD_CONTROL);
    ASSERT_TRUE(PumpUntil([&] { return Documents().size() == 2; }));
    EXPECT_EQ(Documents().back()->GetTitle(), "Font2");
    EXPECT_TRUE(PumpUntil([&] { return Frame().GetTitle() == "Typeloom - [Font2]"; }));

    // Closing both brings menu 128 back.
    for (int i = 0; i < 2; ++i)
    {
        wxCommandEvent close(wxEVT_MENU, WxCommandId(kCmdFileClose));
        Frame().GetActiveChild()->ProcessWindowEvent(close);
        PumpEvents();
    }
    ASSERT_TRUE(PumpUntil([&] { return Documents().empty(); }));
    Settle();
    EXPECT_EQ(ShownMenuBar(), Frame().GetMenuBar());
    EXPECT_TRUE(PumpUntil([&] { return Frame().GetMenuBar()->IsShownOnScreen(); }));
    EXPECT_TRUE(PumpUntil([&] { return Frame().GetTitle() == "Typeloom"; }));
    // New numbers go on counting.
    ASSERT_TRUE(Docs().CreateNewDocument());
    EXPECT_EQ(Documents().front()->GetTitle(), "Font3");
}

TEST_F(TypeloomWindow, ButtonsAndMenusShowTheirPromptsInTheStatusBar)
{
    wxStatusBar* pStatus = Frame().GetStatusBar();
    wxUIActionSimulator simulator;
    const wxPoint open = ToolCentre(1);
    simulator.MouseMove(open);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(0) == "Open an existing document"; }))
        << pStatus->GetStatusText(0);
    PointAtFrame();
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(0) == "Ready"; }))
        << pStatus->GetStatusText(0);

    // A menu opened with the keyboard: its first item's prompt, then Ready.
    PressKeys('f', wxMOD_ALT);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(0) == "Create a new document"; }))
        << pStatus->GetStatusText(0);
    PressKeys(WXK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(0) == "Ready"; }))
        << pStatus->GetStatusText(0);
}

TEST_F(TypeloomWindow, KeyIndicatorsFollowTheLockKeys)
{
    wxStatusBar* pStatus = Frame().GetStatusBar();
    const bool bCaps = wxGetKeyState(WXK_CAPITAL);
    PressKeys(WXK_CAPITAL);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(1) == (bCaps ? "" : "CAP"); }))
        << pStatus->GetStatusText(1);
    PressKeys(WXK_CAPITAL);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(1) == (bCaps ? "CAP" : ""); }))
        << pStatus->GetStatusText(1);

    const bool bNum = wxGetKeyState(WXK_NUMLOCK);
    PressKeys(WXK_NUMLOCK);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(2) == (bNum ? "" : "NUM"); }));
    PressKeys(WXK_NUMLOCK);
    EXPECT_TRUE(PumpUntil([&] { return pStatus->GetStatusText(2) == (bNum ? "NUM" : ""); }));
}

TEST_F(TypeloomWindow, ToolbarAndStatusBarHideAndShow)
{
    wxCommandEvent toggle(wxEVT_MENU, WxCommandId(kCmdViewToolbar));
    Frame().ProcessWindowEvent(toggle);
    EXPECT_FALSE(Frame().GetToolBar()->IsShown());
    Frame().ProcessWindowEvent(toggle);
    EXPECT_TRUE(Frame().GetToolBar()->IsShown());

    wxCommandEvent status(wxEVT_MENU, WxCommandId(kCmdViewStatusBar));
    Frame().ProcessWindowEvent(status);
    EXPECT_FALSE(Frame().GetStatusBar()->IsShown());
    Frame().UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(Frame().GetMenuBar()->IsChecked(WxCommandId(kCmdViewStatusBar)));
    EXPECT_TRUE(Frame().GetMenuBar()->IsChecked(WxCommandId(kCmdViewToolbar)));
    Frame().ProcessWindowEvent(status);
    EXPECT_TRUE(Frame().GetStatusBar()->IsShown());
}

TEST_F(TypeloomWindow, AboutBoxFromTheToolbar)
{
    m_watcher.SaveScreenshots(ArtifactPath("typeloom-about"));
    m_watcher.Answer(1);
    ClickAt(ToolCentre(10));
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "About Typeloom");
    EXPECT_EQ(m_watcher.Seen()[0].m_nPressed, 1);

    CAboutDlg about(&Frame());
    EXPECT_EQ(about.GetClientSize(), about.ConvertDialogToPixels(wxSize(235, 55)));
    std::vector<std::string> texts;
    for (const wxWindow* pChild : about.GetChildren())
        if (const auto* pText = dynamic_cast<const wxStaticText*>(pChild))
            texts.push_back(FromWx(pText->GetLabel()));
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Typeloom Version 1.1");
    EXPECT_NE(FindControl(about, 1), nullptr);
}

TEST_F(TypeloomWindow, TheFormKeepsItsDialogUnitsAndScrollsInASmallWindow)
{
    ASSERT_TRUE(Docs().CreateNewDocument());
    Settle();
    // The form's controls in the form's own dialog units (its 8-point font),
    // whatever the main window's font: the glyph grid is 256 x 237 units.
    wxWindow& panel = FormPanel();
    const wxSize base = panel.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int nUnitX = (base.x / 26 + 1) / 2;
    wxWindow* pGrid = FindControl(panel, kIdGlyphGrid);
    ASSERT_NE(pGrid, nullptr);
    EXPECT_EQ(pGrid->GetSize().x, wxRound(256.0 * nUnitX / 4));
    EXPECT_EQ(pGrid->GetSize().y, wxRound(237.0 * base.y / 8));
    EXPECT_EQ(FindControl(panel, kIdCharMap)->GetPosition().x, wxRound(269.0 * nUnitX / 4));

    // All of it fits the screen; a smaller main window scrolls it.
    int nStepX = 0, nStepY = 0;
    Form().GetScrollPixelsPerUnit(&nStepX, &nStepY);
    EXPECT_EQ(nStepY, 0);
    Frame().SetSize(wxSize(900, 600));
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            Form().GetScrollPixelsPerUnit(&nStepX, &nStepY);
            return nStepY > 0;
        }));
    EXPECT_GT(Form().GetVirtualSize().y, Form().GetClientSize().y);
    Form().Scroll(0, 1000);
    Settle();
    // Scrolled to the end, the form's bottom edge shows.
    const wxPoint bottom = panel.ClientToScreen(wxPoint(0, panel.GetSize().y));
    EXPECT_LE(bottom.y, Form().ClientToScreen(wxPoint(0, Form().GetClientSize().y)).y + 1);
}
