#include "TallyboardDlg.h"

#include "FakeControls.h"
#include "RecordingPolelink.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace
{
using ECall = CRecordingPolelink::ECall;

const std::string strModelKey = "Model[VF510]|[VF620]|[VF730]";
const std::string strPortKey = "PortName[1to8]";
const std::string strBaudKey = "BaudRate[9600][19200][38400][115200]";

struct TallyboardDlgTest : ::testing::Test
{
    CTempFolder dir;
    CFakeControls controls;
    CRecordingUserInterface ui;
    CRecordingPolelink polelink;
    CTallyboardDlg dlg{controls, ui, polelink, dir / "Polelink.ini"};

    TallyboardDlgTest() { controls.AddRadioGroup(1002, 2); }

    void WriteConnection(const std::string& strPort, const std::string& strBaud)
    {
        dir.Write("Polelink.ini", "[Polelink]\r\n" + strModelKey + "=VF730/VF730E\r\n" +
                                      strPortKey + "=" + strPort + "\r\n" + strBaudKey + "=" +
                                      strBaud + "\r\n");
    }
    CConnectionSettings Stored() { return CConnectionFile(dir / "Polelink.ini").Read(); }
};
} // namespace

TEST_F(TallyboardDlgTest, StartsOnTheFirstModelWithTheStoredConnection)
{
    WriteConnection("3", "19200");
    dlg.OnInitDialog();

    EXPECT_EQ(controls.Items(1001), (std::vector<std::string>{"VF510", "VF620", "VF730/VF730E"}));
    EXPECT_TRUE(std::is_sorted(controls.Items(1001).begin(), controls.Items(1001).end()));
    // The stored model is not read.
    EXPECT_EQ(controls.GetValue(1001), 0);
    EXPECT_EQ(controls.GetValue(1002), 0);
    EXPECT_EQ(controls.Items(1005),
              (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"}));
    EXPECT_EQ(controls.Items(1006),
              (std::vector<std::string>{"1200", "2400", "4800", "9600", "19200", "38400"}));
    EXPECT_EQ(controls.GetValue(1005), 2);
    EXPECT_EQ(controls.GetValue(1006), 4);
    EXPECT_EQ(dlg.m_nPreview, 161);
    EXPECT_TRUE(polelink.m_calls.empty());
}

TEST_F(TallyboardDlgTest, WithoutAConnectionFileItOpensTheLibraryAndSelectsNoConnection)
{
    dlg.OnInitDialog();
    EXPECT_EQ(polelink.Kinds(), std::vector<ECall>{ECall::OpenComm});
    EXPECT_EQ(controls.GetValue(1005), -1);
    EXPECT_EQ(controls.GetValue(1006), -1);
    EXPECT_FALSE(dir.Exists("Polelink.ini"));

    // OK then closes the connection and writes nothing.
    polelink.m_calls.clear();
    dlg.OnOK();
    EXPECT_EQ(polelink.Kinds(), std::vector<ECall>{ECall::CloseComm});
    EXPECT_FALSE(dir.Exists("Polelink.ini"));
    EXPECT_TRUE(ui.m_messages.empty());
}

TEST_F(TallyboardDlgTest, StoredPortsBeyondTheListAndUnlistedRatesShowAsTheyWillBeStored)
{
    WriteConnection("7", "115200");
    dlg.OnInitDialog();
    EXPECT_EQ(controls.GetValue(1005), -1);
    EXPECT_EQ(controls.GetValue(1006), 5);

    dlg.OnOK();
    const CConnectionSettings stored = Stored();
    EXPECT_EQ(stored.m_strModel, "VF510");
    EXPECT_EQ(stored.m_nPort, 0);
    EXPECT_EQ(stored.m_nBaudRate, 38400);
    EXPECT_NE(dir.Read("Polelink.ini").find(strPortKey + "=0\r\n"), std::string::npos);
}

TEST_F(TallyboardDlgTest, RatesAndIndexesMapBothWays)
{
    const int rates[] = {1200, 2400, 4800, 9600, 19200};
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ(BaudIndexOfRate(rates[i]), i);
        EXPECT_EQ(RateOfBaudIndex(i), rates[i]);
    }
    EXPECT_EQ(BaudIndexOfRate(38400), 5);
    EXPECT_EQ(BaudIndexOfRate(0), 5);
    EXPECT_EQ(BaudIndexOfRate(57600), 5);
    EXPECT_EQ(RateOfBaudIndex(5), 38400);
    EXPECT_EQ(RateOfBaudIndex(-1), 38400);
}

TEST_F(TallyboardDlgTest, OkClosesTheLibraryAndWritesTheChoice)
{
    WriteConnection("1", "9600");
    dlg.OnInitDialog();
    controls.SetValue(1001, 2);
    controls.SetValue(1005, 3);
    controls.SetValue(1006, 1);
    dlg.OnOK();
    EXPECT_EQ(polelink.Kinds(), std::vector<ECall>{ECall::CloseComm});
    EXPECT_EQ(Stored(), (CConnectionSettings{"VF730/VF730E", 4, 2400}));
    // The keys in their order, the section written once.
    const std::string strFile = dir.Read("Polelink.ini");
    EXPECT_LT(strFile.find(strModelKey), strFile.find(strPortKey));
    EXPECT_LT(strFile.find(strPortKey), strFile.find(strBaudKey));
}

TEST_F(TallyboardDlgTest, AConnectionFileThatCannotBeWrittenIsReported)
{
    // A folder in the file's place: there, but neither read nor written.
    std::filesystem::create_directory(dir.Path() / "Polelink.ini");
    dlg.OnInitDialog();
    dlg.OnOK();
    ASSERT_EQ(ui.m_messages.size(), 1u);
    EXPECT_EQ(ui.m_messages[0].m_strText.rfind(kMsgConnectionNotSaved, 0), 0u);
    EXPECT_NE(ui.m_messages[0].m_strText.find("Polelink.ini"), std::string::npos);
    // The folder cannot be read either: the main window opens with the defaults.
    EXPECT_NE(ui.m_messages[0].m_strText.find(ConnectionInUseText(CConnectionSettings{})),
              std::string::npos);
    EXPECT_EQ(Stored(), CConnectionSettings{});
}

TEST_F(TallyboardDlgTest, ThePreviewFollowsTheModelAndComShowsTheConnectionLists)
{
    dlg.OnInitDialog();
    const int bitmaps[] = {161, 162, 163};
    for (int i : {1, 2, 0})
    {
        controls.SetValue(1001, i);
        dlg.OnSelChangeModel();
        EXPECT_EQ(dlg.m_nPreview, bitmaps[i]);
    }
    for (int nId : {1026, 1005, 1027, 1006})
        controls.ShowControl(nId, false);
    dlg.OnCom();
    for (int nId : {1026, 1005, 1027, 1006})
        EXPECT_TRUE(controls.IsShown(nId)) << nId;
}
