#include "Display_Set.h"

#include "Diagnostic.h"
#include "FakeControls.h"
#include "RecordingPolelink.h"
#include "RecordingUserInterface.h"
#include "Settings.h"
#include "TempFolder.h"
#include "Updata.h"

#include <map>

#include <gtest/gtest.h>

namespace
{
using ECall = CRecordingPolelink::ECall;
using Bytes = std::vector<std::uint8_t>;

const std::string strModelKey = "Model[VF510]|[VF620]|[VF730]";

// Notes each request as a short line ("create 131", "end 2"); the pages'
// controls are fakes with the radio groups of their resources.
struct CFakeMainWindow final : CMainWindowSite
{
    CFakeMainWindow()
    {
        m_pages[131].AddRadioGroup(1002, 2);
        m_pages[132].AddRadioGroup(1023, 2);
        m_pages[148].AddRadioGroup(1039, 5);
    }
    CPageWindowParts CreatePage(int nDialogId) override
    {
        Note("create " + std::to_string(nDialogId));
        m_controls.ShowControl(nDialogId, false);
        return {m_pages[nDialogId], m_pageUis[nDialogId]};
    }
    void EndDialog(int nResult) override { Note("end " + std::to_string(nResult)); }
    void ShowConnectionProblem(const std::string& strCause) override
    {
        Note("connection " + strCause);
    }
    void Note(const std::string& strWhat) { m_events.push_back(strWhat); }
    // The pages made whose windows show, in id order.
    std::vector<int> ShownPages()
    {
        std::vector<int> shown;
        for (const auto& [nId, pageUi] : m_pageUis)
            if (m_controls.IsShown(nId))
                shown.push_back(nId);
        return shown;
    }

    std::map<int, CFakeControls> m_pages;
    std::map<int, CRecordingUserInterface> m_pageUis;
    CFakeControls m_controls; // the main window's own
    std::vector<std::string> m_events;
};

struct Display_SetTest : ::testing::Test
{
    CTempFolder dir;
    CWorkingDirectory cwd{dir.Path()};
    CFakeMainWindow site;
    CFakeControls& controls = site.m_controls;
    CRecordingUserInterface ui;
    CRecordingUserInterface ownerlessUi;
    CRecordingPolelink polelink;
    CVirtualClock clock;
    Display_Set window{site, controls, ui, ownerlessUi, polelink, clock, dir / "Polelink.ini"};

    void Start(const std::string& strModel, const std::string& strPort = "3",
               const std::string& strBaud = "19200")
    {
        dir.Write("Polelink.ini",
                  "[Polelink]\r\n" + strModelKey + "=" + strModel + "\r\nPortName[1to8]=" +
                      strPort + "\r\nBaudRate[9600][19200][38400][115200]=" + strBaud + "\r\n");
        window.OnInitDialog();
    }
    std::string Caption() { return controls.GetText(kMainDialog); }
    const std::vector<std::string>& Tabs() { return controls.Items(Display_Set::kTabControl); }
    // Events noted from the site, without the page creations.
    std::vector<std::string> Events(const std::string& strPrefix) const
    {
        std::vector<std::string> events;
        for (const auto& event : site.m_events)
            if (event.rfind(strPrefix, 0) == 0)
                events.push_back(event);
        return events;
    }
};
} // namespace

TEST_F(Display_SetTest, StartsWithCaptionAndStatusAndThenOpensTheLibrary)
{
    Start("VF620");
    EXPECT_EQ(Caption(), "VF620-Untitled.ini");
    EXPECT_EQ(controls.GetText(1029), "COM3");
    EXPECT_EQ(controls.GetText(1028), "19200");
    EXPECT_EQ(polelink.Kinds(), std::vector<ECall>{ECall::OpenComm});
}

TEST_F(Display_SetTest, VF730HasThreeTabsAndShowsSettingsFirst)
{
    Start("VF730/VF730E");
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Settings", "Update Font", "Diagnostic"}));
    EXPECT_EQ(Events("create"),
              (std::vector<std::string>{"create 134", "create 131", "create 132"}));
    EXPECT_EQ(site.ShownPages(), std::vector<int>{131});
    // The settings page as laid out: 16 code tables, its baud list shown.
    EXPECT_EQ(site.m_pages[131].Items(1017).size(), 16u);
    EXPECT_TRUE(site.m_pages[131].IsShown(1020));
    EXPECT_EQ(site.m_pages[132].GetValue(1016), 3);

    const std::vector<int> tabPages{131, 132, 134};
    for (int nTab : {1, 2, 0, 2})
    {
        window.OnSelChangeTab(nTab);
        EXPECT_EQ(site.ShownPages(), std::vector<int>{tabPages[nTab]}) << nTab;
    }
    EXPECT_TRUE(Events("gray").empty());
}

TEST_F(Display_SetTest, AConnectionThatFailsIsShownAndFollowsTheCommands)
{
    polelink.m_strLastErrorText = "/dev/ttyS2: no such device";
    Start("VF620");
    EXPECT_EQ(Events("connection"),
              std::vector<std::string>{"connection /dev/ttyS2: no such device"});
    // A command that fails anew says so again; one that changes nothing is quiet.
    const CBoundPageCommand& clear = window.Pages().front().Commands().back();
    clear.m_run();
    EXPECT_EQ(Events("connection").size(), 1u);
    polelink.m_strLastErrorText = "/dev/ttyS2: write failed";
    clear.m_run();
    EXPECT_EQ(Events("connection").back(), "connection /dev/ttyS2: write failed");
}

// Index 3 is PC1254 in the VF730's list of code tables, PC737 in the VF620's:
// each model's own list names the table, and only Update selects it.
TEST_F(Display_SetTest, TheDiagnosticTextFollowsTheCodeTableTheSettingsPageSelected)
{
    Start("VF730/VF730E");
    site.m_pages[131].SetValue(1017, 3);
    site.m_pages[134].SetText(1013, "\xC4\xB1\xCE\x96"); // ı Ζ
    polelink.m_calls.clear();
    window.FindPage<Diagnostic>()->OnDisplay();
    EXPECT_EQ(polelink.Sent()[1], (Bytes{'?', '?'})); // still PC437
    window.FindPage<Settings>()->OnUpdate();
    polelink.m_calls.clear();
    window.FindPage<Diagnostic>()->OnDisplay();
    EXPECT_EQ(polelink.Sent()[1], (Bytes{0xFD, '?'})); // PC1254 has ı, no Ζ
}

TEST_F(Display_SetTest, TheVF620sCodeTablesAreItsOwnList)
{
    Start("VF620");
    site.m_pages[131].SetValue(1017, 3);
    site.m_pages[134].SetText(1013, "\xC4\xB1\xCE\x96");
    window.FindPage<Settings>()->OnUpdate();
    polelink.m_calls.clear();
    window.FindPage<Diagnostic>()->OnDisplay();
    EXPECT_EQ(polelink.Sent()[1], (Bytes{'?', 0x85})); // PC737 has Ζ, no ı
}

TEST_F(Display_SetTest, VF620HasTwoTabsAndTheAdaptedSettingsPage)
{
    Start("VF620");
    EXPECT_EQ(Tabs(), (std::vector<std::string>{"Settings", "Diagnostic"}));
    EXPECT_EQ(window.FindPage<Updata>(), nullptr);
    EXPECT_EQ(Events("create"), (std::vector<std::string>{"create 134", "create 131"}));
    EXPECT_EQ(site.ShownPages(), std::vector<int>{131});
    CFakeControls& settings = site.m_pages[131];
    EXPECT_EQ(settings.Items(1017).size(), 8u);
    EXPECT_EQ(settings.Items(1017)[5], "PC10 for TM55-08");
    EXPECT_FALSE(settings.IsShown(1003));
    EXPECT_FALSE(settings.IsShown(1020));
    EXPECT_EQ(settings.GetText(1042), "The DIP switches setting baud rate.");

    window.OnSelChangeTab(1);
    EXPECT_EQ(site.ShownPages(), std::vector<int>{134});
    window.OnSelChangeTab(0);
    EXPECT_EQ(site.ShownPages(), std::vector<int>{131});
}

TEST_F(Display_SetTest, VF510ShowsItsSinglePageWithoutTabsOrSettingsCommands)
{
    Start("VF510");
    EXPECT_TRUE(Tabs().empty());
    EXPECT_EQ(Events("create"), std::vector<std::string>{"create 148"});
    EXPECT_EQ(site.ShownPages(), std::vector<int>{148});
    EXPECT_FALSE(controls.IsEnabled(1007));
    EXPECT_FALSE(controls.IsEnabled(1008));
    EXPECT_TRUE(controls.IsEnabled(1009) && controls.IsEnabled(1011));
    EXPECT_FALSE(controls.IsEnabled(kSaveItem));
    EXPECT_FALSE(controls.IsEnabled(kSaveAsItem));
    EXPECT_EQ(site.m_pages[148].Items(1040).size(), 8u);

    // A tab change without tabs changes nothing.
    window.OnSelChangeTab(-1);
    EXPECT_EQ(site.ShownPages(), std::vector<int>{148});
}

TEST_F(Display_SetTest, AnUnknownOrOverlongModelGetsNoPageAndTheDefaults)
{
    // 20 characters: the first 19 are kept, and no model matches them.
    Start("VF620VF620VF620VF620");
    EXPECT_EQ(Caption(), "VF620VF620VF620VF62-Untitled.ini");
    EXPECT_TRUE(Tabs().empty());
    EXPECT_TRUE(Events("create").empty());
    EXPECT_TRUE(site.ShownPages().empty());
    EXPECT_TRUE(controls.IsEnabled(1007));

    // The settings commands only say that there is nothing to save.
    window.OnSaveSettingFile();
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("has no display settings"), std::string::npos);
    EXPECT_FALSE(dir.Exists("VF620VF620VF620VF62.ini"));
}

TEST_F(Display_SetTest, WithoutAConnectionFileTheDefaultsShow)
{
    window.OnInitDialog();
    EXPECT_EQ(Caption(), "未知-Untitled.ini");
    EXPECT_EQ(controls.GetText(1029), "COM6");
    EXPECT_EQ(controls.GetText(1028), "9600");
    EXPECT_TRUE(Tabs().empty());
    EXPECT_EQ(polelink.Kinds(), std::vector<ECall>{ECall::OpenComm});
}

TEST_F(Display_SetTest, ExitAsksWithoutOwnerAndCancelDoesNothing)
{
    Start("VF620");
    site.m_events.clear();
    polelink.m_calls.clear();
    ownerlessUi.m_answers.push_back(EMessageResult::Cancel);
    window.OnExit();
    const CMessageBoxRequest kConfirm{"Confirm the exit?!", std::string(), EMessageIcon::None,
                                      EMessageButtons::OkCancel};
    ASSERT_EQ(ownerlessUi.m_messages.size(), 1u);
    EXPECT_EQ(ownerlessUi.m_messages[0], kConfirm);
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_TRUE(site.m_events.empty());

    // The close box asks the same; OK closes the selection window, then this.
    ownerlessUi.m_answers.push_back(EMessageResult::Ok);
    window.OnClose();
    EXPECT_EQ(ownerlessUi.m_messages.size(), 2u);
    EXPECT_EQ(site.m_events, (std::vector<std::string>{"end 1"}));
    EXPECT_TRUE(polelink.m_calls.empty());
}

TEST_F(Display_SetTest, ReselectAndEscCloseTheWindowWithoutAskingOrClosingTheLibrary)
{
    Start("VF510");
    site.m_events.clear();
    polelink.m_calls.clear();
    window.OnReselectDisplay();
    window.OnCancel();
    EXPECT_EQ(site.m_events, (std::vector<std::string>{"end 2", "end 2"}));
    EXPECT_TRUE(ownerlessUi.m_messages.empty());
    EXPECT_TRUE(polelink.m_calls.empty());
}

TEST_F(Display_SetTest, TheCommandsWithoutActionDoNothing)
{
    Start("VF620");
    site.m_events.clear();
    polelink.m_calls.clear();
    window.OnSave();
    window.OnUserManual();
    window.OnHelp();
    EXPECT_TRUE(site.m_events.empty());
    EXPECT_TRUE(ui.m_messages.empty());
    EXPECT_TRUE(polelink.m_calls.empty());
    EXPECT_EQ(Caption(), "VF620-Untitled.ini");
}

TEST_F(Display_SetTest, SettingsFileCommandsWorkOnTheSettingsPageAndTheCaption)
{
    Start("VF620");
    window.FindPage<Settings>()->OnReset();
    window.OnSaveSettingFile();
    EXPECT_EQ(Caption(), "VF620-VF620.ini");
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Saved successfully."});
    EXPECT_NE(dir.Read("VF620.ini").find("Contrast=2"), std::string::npos);

    ui.m_fileAnswers.push_back(dir / "Mine.ini");
    window.OnSaveAs();
    ASSERT_EQ(ui.m_fileDialogs.size(), 1u);
    EXPECT_EQ(ui.m_fileDialogs[0].m_strFilter, "文本文件(*.ini)|*.ini|所有文件(*.*)|*.*||");
    EXPECT_EQ(ui.m_fileDialogs[0].m_strDefaultExt, "ini");
    EXPECT_EQ(Caption(), "VF620-Mine.ini");

    dir.Write("Other.ini", "[Polelink_Set]\r\nContrast=0\r\nCode=7\r\n");
    ui.m_fileAnswers.push_back(dir / "Other.ini");
    window.OnOpenSettingFile();
    EXPECT_EQ(Caption(), "VF620-Other.ini");
    EXPECT_EQ(site.m_pages[131].GetValue(1021), 0);
    EXPECT_EQ(site.m_pages[131].GetValue(1017), 7);
    EXPECT_EQ(site.m_pages[131].GetValue(1020), -1);
}

TEST_F(Display_SetTest, ThePagesSendThroughTheLibraryTheWindowOpened)
{
    Start("VF730/VF730E");
    polelink.m_calls.clear();
    site.m_pages[134].SetText(1013, "HELLO");
    window.FindPage<Diagnostic>()->OnDisplay();
    window.FindPage<Updata>()->OnSelfTest();
    EXPECT_EQ(
        polelink.Sent(),
        (std::vector<Bytes>{{0x0C}, {'H', 'E', 'L', 'L', 'O'}, {0x0D, 0x0A}, {}, {0x1F, 0x40}}));
}
