#include "ConnectionFile.h"
#include "SettingsFile.h"
#include "TallyboardGuiSupport.h"
#include "WxText.h"

#include <wx/bmpbuttn.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace
{
using TallyboardGui = CTallyboardGuiTest;

const std::vector<std::string> kModelNames{"VF510", "VF620", "VF730/VF730E"};

wxWindow& Control(wxWindow& window, int nId)
{
    wxWindow* pControl = FindControl(window, nId);
    if (!pControl)
        throw std::runtime_error("no control " + std::to_string(nId));
    return *pControl;
}

// The page windows the main window shows.
std::vector<int> ShownPages(CMainWindow& main)
{
    std::vector<int> shown;
    for (int nId : {131, 132, 134, 148})
        if (main.FindPage(nId) && main.FindPage(nId)->Panel().IsShown())
            shown.push_back(nId);
    return shown;
}

std::vector<std::string> TabTexts(CMainWindow& main)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < main.TabControl().GetPageCount(); ++i)
        texts.push_back(FromWx(main.TabControl().GetPageText(i)));
    return texts;
}
} // namespace

TEST_F(TallyboardGui, TheSelectionWindowShowsTheStoredConnectionAndEachModelsPreview)
{
    WriteConnectionFile("VF620", 19200);
    CSelectionWindow selection(nullptr, m_polelink, CClock::Real());
    ShowWindowAndSettle(selection);

    EXPECT_EQ(FromWx(selection.GetTitle()), "Tallyboard");
    ASSERT_EQ(selection.GetIcons().GetIconCount(), 1u);
    EXPECT_EQ(selection.GetIcons().GetIconByIndex(0).GetWidth(), 48);
    CWxControlAccess controls(selection);
    EXPECT_EQ(controls.GetItems(1001), kModelNames);
    EXPECT_EQ(controls.GetValue(1001), 0);
    EXPECT_EQ(controls.GetText(1005), "COM3");
    EXPECT_EQ(controls.GetText(1006), "19200");
    EXPECT_EQ(controls.GetValue(1002), 0);
    EXPECT_FALSE(Control(selection, 1003).IsShown());
    EXPECT_FALSE(Control(selection, 1003).IsEnabled());

    auto& preview = dynamic_cast<wxStaticBitmap&>(Control(selection, 1041));
    const int heights[] = {76, 71, 78};
    const char* names[] = {"VF510", "VF620", "VF730"};
    for (int nModel : {1, 2, 0})
    {
        ClickListItem(selection, 1001, nModel);
        EXPECT_TRUE(PumpUntil([&] { return preview.GetBitmap().GetHeight() == heights[nModel]; }))
            << names[nModel];
        EXPECT_EQ(preview.GetBitmap().GetWidth(), 268);
        Screenshot(selection, std::string("selection-") + names[nModel]);
    }
    // Nothing reached the display, and the library's connection was left alone.
    EXPECT_TRUE(m_sim.DisplayBytes().empty());
}

TEST_F(TallyboardGui, VF620SettingsAndDiagnosticReachTheDisplay)
{
    WriteConnectionFile("VF510");
    const int nResult = RunSelectionWindow(
        [&](CSelectionWindow& selection)
        {
            ClickListItem(selection, 1001, 1);
            RunMainWindow(
                selection,
                [&](CMainWindow& main)
                {
                    EXPECT_FALSE(selection.IsShown());
                    EXPECT_EQ(FromWx(main.GetTitle()), "VF620-Untitled.ini");
                    EXPECT_EQ(TabTexts(main), (std::vector<std::string>{"Settings", "Diagnostic"}));
                    EXPECT_EQ(ShownPages(main), std::vector<int>{131});
                    CWxControlAccess status(main);
                    EXPECT_EQ(status.GetText(1029), "COM3");
                    EXPECT_EQ(status.GetText(1028), "9600");
                    wxPanel& settings = main.FindPage(131)->Panel();
                    CWxControlAccess page(settings);
                    EXPECT_FALSE(Control(settings, 1020).IsShown());
                    EXPECT_FALSE(Control(settings, 1003).IsShown());
                    EXPECT_EQ(page.GetText(1042), "The DIP switches setting baud rate.");
                    EXPECT_EQ(page.GetItems(1017).size(), 8u);
                    // The page fills the tab control's area but for its edge and tabs.
                    const wxRect tabs = main.TabControl().GetRect();
                    EXPECT_EQ(settings.GetRect(),
                              wxRect(tabs.x + 1, tabs.y + 21, tabs.width - 2, tabs.height - 22));
                    Screenshot(main, "main-VF620-settings");

                    ClickControl(settings, 1007); // Reset
                    EXPECT_EQ(page.GetValue(1021), 2);
                    m_watcher.Answer(wxID_OK);
                    ClickControl(settings, 1009); // Update
                    ExpectDisplayBytes({0x02, 0x05, 0x52, 0x31, 0x03, 0x1B, 0x52,
                                        0x00, 0x1B, 0x74, 0x00, 0x1F, 0x58, 0x03,
                                        0x1B, 0x40, 0x02, 0x05, 0x42, 0x30, 0x03});
                    ASSERT_EQ(m_watcher.Seen().size(), 1u);
                    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "设置已生效，重启客显后使用新的设置");
                    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "提示");
                    EXPECT_TRUE(m_watcher.Seen()[0].m_bHasOwner);

                    ClickTab(main, 1);
                    EXPECT_TRUE(
                        PumpUntil([&] { return ShownPages(main) == std::vector<int>{134}; }));
                    wxPanel& diagnostic = main.FindPage(134)->Panel();
                    ClickControl(diagnostic, 1013);
                    TypeText("HELLO");
                    ClickControl(diagnostic, 1014);
                    TypeText("TOTAL 12.50");
                    Screenshot(main, "main-VF620-diagnostic");
                    ClickControl(diagnostic, 1011); // Display
                    Bytes expected{0x0C};
                    for (auto b : BytesOf("HELLO"))
                        expected.push_back(b);
                    expected.insert(expected.end(), {0x0D, 0x0A});
                    for (auto b : BytesOf("TOTAL 12.50"))
                        expected.push_back(b);
                    ExpectDisplayBytes(expected);

                    // Esc on a page's control stays; on the window's own, it leaves.
                    PressKey(WXK_ESCAPE);
                    Settle();
                    EXPECT_TRUE(main.IsRunning());
                    ClickControl(main, 1011); // Help: no action
                    // F10 opens the menu bar's first menu: Esc closes it and nothing else.
                    bool bMenuOpened = false;
                    main.Bind(wxEVT_MENU_OPEN,
                              [&](wxMenuEvent& event)
                              {
                                  bMenuOpened = true;
                                  event.Skip();
                              });
                    PressKey(WXK_F10);
                    EXPECT_TRUE(PumpUntil([&] { return bMenuOpened; }));
                    PressKey(WXK_ESCAPE);
                    Settle();
                    EXPECT_TRUE(main.IsRunning());
                    PressKey(WXK_ESCAPE);
                    EXPECT_TRUE(PumpUntil([&] { return !main.IsRunning(); }));
                });
            EXPECT_TRUE(PumpUntil([&] { return selection.IsShown(); }));
            // OK stored the choice for the library and the next main window.
            const CConnectionSettings stored = CConnectionFile().Read();
            EXPECT_EQ(stored.m_strModel, "VF620");
            EXPECT_EQ(stored.m_nPort, 3);
            ClickControl(selection, kIdCancel);
        });
    EXPECT_EQ(nResult, kIdCancel);
}

TEST_F(TallyboardGui, VF510SetsIndicatorsContrastAndTextThenExitsWithConfirmation)
{
    WriteConnectionFile("VF620");
    const int nResult = RunSelectionWindow(
        [&](CSelectionWindow& selection)
        {
            RunMainWindow(
                selection,
                [&](CMainWindow& main)
                {
                    EXPECT_EQ(FromWx(main.GetTitle()), "VF510-Untitled.ini");
                    EXPECT_EQ(main.TabControl().GetPageCount(), 0u);
                    EXPECT_EQ(ShownPages(main), std::vector<int>{148});
                    EXPECT_FALSE(Control(main, 1007).IsEnabled());
                    EXPECT_FALSE(Control(main, 1008).IsEnabled());
                    EXPECT_FALSE(Control(main, 1009).IsEnabled());
                    EXPECT_FALSE(Control(main, 1010).IsEnabled());
                    EXPECT_TRUE(Control(main, 1011).IsEnabled());
                    EXPECT_EQ(FromWx(Control(main, 1007).GetToolTipText()), "Open Setting File");
                    wxMenu* pDrives = main.GetMenuBar()->GetMenu(0);
                    EXPECT_EQ(FromWx(pDrives->FindItemByPosition(2)->GetItemLabelText()), "Save");
                    EXPECT_FALSE(pDrives->FindItemByPosition(2)->IsEnabled());
                    EXPECT_FALSE(pDrives->FindItemByPosition(3)->IsEnabled());
                    EXPECT_FALSE(pDrives->FindItemByPosition(5)->IsEnabled());
                    EXPECT_TRUE(pDrives->FindItemByPosition(0)->IsEnabled());
                    Screenshot(main, "main-VF510");

                    wxPanel& page = main.FindPage(148)->Panel();
                    ClickControl(page, 1003); // total
                    ClickControl(page, 1003); // again: sent again
                    ClickControl(page, 1039); // none
                    ExpectDisplayBytes({0x1B, 0x73, 0x02, 0x1B, 0x73, 0x02, 0x1B, 0x73, 0x00});
                    ClickControl(page, 1038); // Thank you patronize
                    ClickControl(page, 1038);
                    ExpectDisplayBytes({0x1F, 0x50, 0x01, 0x1F, 0x50, 0x00});
                    ClickControl(page, 1010); // Set Contrast without a level: nothing
                    CWxControlAccess(page).SetValue(1040, 2);
                    ClickControl(page, 1010);
                    ExpectDisplayBytes({0x14, 0x02});
                    ClickControl(page, 1013);
                    TypeText("12.50");
                    ClickControl(page, 1008); // Display
                    ExpectDisplayBytes({0x0C, 0x1B, 0x51, 0x41, '1', '2', '.', '5', '0', 0x0D});

                    // "Exit": Cancel keeps everything open; the close box asks the
                    // same, and OK there ends both windows.
                    m_watcher.Answer(wxID_CANCEL);
                    ChooseMenuItem(main, 0, -1);
                    EXPECT_TRUE(PumpUntil([&] { return m_watcher.Seen().size() == 1; }));
                    Settle();
                    EXPECT_TRUE(main.IsRunning());
                    EXPECT_TRUE(selection.IsRunning());
                    m_watcher.Answer(wxID_OK);
                    main.Close();
                    EXPECT_TRUE(PumpUntil([&] { return !main.IsRunning(); }));
                });
            EXPECT_FALSE(selection.IsRunning());
        });
    EXPECT_EQ(nResult, kIdCancel);
    ASSERT_EQ(m_watcher.Seen().size(), 2u);
    for (std::size_t i : {0u, 1u})
    {
        const auto& box = m_watcher.Seen()[i];
        EXPECT_EQ(box.m_strText, "Confirm the exit?!");
        EXPECT_EQ(box.m_strCaption, "");
        EXPECT_EQ(box.m_buttons, (std::vector<std::string>{"Cancel", "OK"}));
        EXPECT_FALSE(box.m_bHasOwner);
    }
}

TEST_F(TallyboardGui, VF730ShowsThreePagesAndSavesItsSettings)
{
    WriteConnectionFile("VF510");
    RunSelectionWindow(
        [&](CSelectionWindow& selection)
        {
            ClickListItem(selection, 1001, 2);
            RunMainWindow(
                selection,
                [&](CMainWindow& main)
                {
                    EXPECT_EQ(FromWx(main.GetTitle()), "VF730/VF730E-Untitled.ini");
                    EXPECT_EQ(TabTexts(main),
                              (std::vector<std::string>{"Settings", "Update Font", "Diagnostic"}));
                    wxPanel& settings = main.FindPage(131)->Panel();
                    EXPECT_TRUE(Control(settings, 1020).IsShown());
                    EXPECT_EQ(CWxControlAccess(settings).GetItems(1017).size(), 16u);
                    Screenshot(main, "main-VF730-settings");
                    const char* names[] = {"settings", "update-font", "diagnostic"};
                    const int pages[] = {131, 132, 134};
                    for (int nTab : {1, 2, 0})
                    {
                        ClickTab(main, nTab);
                        EXPECT_TRUE(PumpUntil(
                            [&] { return ShownPages(main) == std::vector<int>{pages[nTab]}; }))
                            << nTab;
                        if (nTab)
                            Screenshot(main, std::string("main-VF730-") + names[nTab]);
                    }
                    // The area buttons refill the page list on every click.
                    ClickTab(main, 1);
                    wxPanel& updatePage = main.FindPage(132)->Panel();
                    EXPECT_TRUE(PumpUntil([&] { return updatePage.IsShown(); }));
                    CWxControlAccess update(updatePage);
                    EXPECT_EQ(update.GetValue(1023), 0);
                    EXPECT_EQ(update.GetText(1016), "4");
                    ClickControl(updatePage, 1024);
                    EXPECT_TRUE(PumpUntil([&] { return update.GetItems(1016).size() == 8; }));
                    EXPECT_EQ(update.GetText(1016), "4");
                    update.SetValue(1016, 7);
                    ClickControl(updatePage, 1023);
                    EXPECT_TRUE(PumpUntil([&] { return update.GetItems(1016).size() == 6; }));
                    EXPECT_EQ(update.GetValue(1016), -1);
                    ClickTab(main, 0);
                    EXPECT_TRUE(PumpUntil([&] { return settings.IsShown(); }));

                    // The model's own file, and its name in the caption.
                    ClickControl(settings, 1007); // Reset
                    m_watcher.Answer(wxID_OK);
                    ClickControl(main, 1008);
                    EXPECT_EQ(FromWx(main.GetTitle()), "VF730/VF730E-VF730-VF730E.ini");
                    CSettingsValues values;
                    EXPECT_TRUE(CSettingsFile("VF730-VF730E.ini").Read(values));
                    EXPECT_EQ(values, (CSettingsValues{3, 2, 0, 0, 0}));
                    // Open offers the settings files; cancelled, nothing changes.
                    m_watcher.Answer(wxID_CANCEL);
                    ClickControl(main, 1007);
                    ChooseMenuItem(main, 0, 1); // Re-select Display
                    EXPECT_TRUE(PumpUntil([&] { return !main.IsRunning(); }));
                });
            // Another model and OK: a new main window of that model.
            ClickListItem(selection, 1001, 1);
            RunMainWindow(
                selection,
                [&](CMainWindow& main)
                {
                    EXPECT_EQ(FromWx(main.GetTitle()), "VF620-Untitled.ini");
                    EXPECT_EQ(TabTexts(main), (std::vector<std::string>{"Settings", "Diagnostic"}));
                    ClickControl(main, 1011);
                    PressKey(WXK_ESCAPE);
                    EXPECT_TRUE(PumpUntil([&] { return !main.IsRunning(); }));
                });
            ClickControl(selection, kIdCancel);
        });
    ASSERT_EQ(m_watcher.Seen().size(), 2u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "Saved successfully.");
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "prompt");
    EXPECT_EQ(m_watcher.Seen()[1].m_strKind, "file");
    EXPECT_EQ(m_watcher.Seen()[1].m_filters,
              (std::vector<std::string>{"文本文件(*.ini)", "所有文件(*.*)"}));
    EXPECT_TRUE(m_sim.DisplayBytes().empty());
}

// A character no font has is drawn as a box of its code's hex digits, the same
// width for every code of four digits: a Chinese text drawn as boxes has that
// width for each character.
TEST_F(TallyboardGui, TheChineseTextsAreDrawnWithRealGlyphs)
{
    wxBitmap bitmap(64, 64);
    wxMemoryDC dc(bitmap);
    dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    const wxSize box = dc.GetTextExtent(wxString(wxUniChar(0x0378))); // unassigned
    for (const char* pszText :
         {"设置已生效，重启客显后使用新的设置", "提示", "文本文件", "未知", "："})
        for (const wxUniChar c : ToWx(pszText))
            EXPECT_NE(dc.GetTextExtent(wxString(c)).x, box.x)
                << FromWx(wxString(c)) << " is drawn as a box";
}
