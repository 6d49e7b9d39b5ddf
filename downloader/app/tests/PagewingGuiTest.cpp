// Pagewing's dialog in a real window: the resource, the About box, the busy
// cursor, and the buttons that answer at once, against vfdsim's port.
#include "PagewingGuiFixture.h"
#include "VfdsimProcess.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

namespace
{
struct CControlSpec
{
    int m_nId;
    const char* m_pszKind;
    const char* m_pszLabel;
    int x, y, w, h;
};

// The template's controls that have ids (combo boxes at their closed height).
const CControlSpec kControls[] = {
    {1000, "edit", "", 45, 16, 116, 12},
    {1001, "button", "Browse", 163, 16, 35, 14},
    {1010, "list", "", 45, 44, 42, 12},
    {1011, "list", "", 115, 44, 42, 12},
    {1005, "button", "Open", 163, 42, 34, 14},
    {1012, "combo", "", 45, 61, 42, 12},
    {1006, "button", "Close", 163, 60, 34, 14},
    {1002, "radio", "0x20 To 0x7F", 15, 106, 55, 10},
    {1003, "radio", "0x80 To 0xFF", 74, 106, 58, 10},
    {1014, "button", "DownLoad All", 137, 103, 59, 14},
    {1004, "list", "", 48, 121, 53, 12},
    {1013, "button", "DownLoad SinglePage", 115, 119, 81, 14},
    {1017, "button", "Display ASCII", 17, 136, 57, 14},
    {1018, "button", "Display PC", 80, 136, 51, 14},
    {1019, "button", "Clear Display", 137, 136, 50, 14},
    {1016, "edit", "", 51, 153, 139, 12},
    {2, "button", "Exit", 139, 170, 52, 14},
};

std::string KindOf(const wxWindow* pWindow)
{
    if (wxDynamicCast(pWindow, wxComboBox))
        return "combo";
    if (wxDynamicCast(pWindow, wxChoice))
        return "list";
    if (wxDynamicCast(pWindow, wxTextCtrl))
        return "edit";
    if (wxDynamicCast(pWindow, wxRadioButton))
        return "radio";
    if (wxDynamicCast(pWindow, wxButton))
        return "button";
    return "other";
}

// The labels and rectangles (dialog units) of the windows without an id.
std::vector<std::string> UnnamedLabels(const wxWindow& dialog)
{
    std::vector<std::string> labels;
    for (const wxWindow* pChild : dialog.GetChildren())
        if ((wxDynamicCast(pChild, wxStaticText) || wxDynamicCast(pChild, wxStaticBox)) &&
            pChild->GetId() < 0)
        {
            const wxRect rect(dialog.ConvertPixelsToDialog(pChild->GetPosition()),
                              dialog.ConvertPixelsToDialog(pChild->GetSize()));
            labels.push_back(pChild->GetLabel().utf8_string() + " @" + std::to_string(rect.x) +
                             "," + std::to_string(rect.y));
        }
    return labels;
}

// Notes the busy state and what f() gives as each modal dialog opens.
class CLookAtModalDialogs final : public wxModalDialogHook
{
public:
    explicit CLookAtModalDialogs(std::function<std::string()> f) : m_f(std::move(f)) { Register(); }
    ~CLookAtModalDialogs() override { Unregister(); }

    std::vector<std::string> m_seen;

protected:
    int Enter(wxDialog*) override
    {
        m_seen.push_back(std::string(wxIsBusy() ? "busy" : "idle") + ", status: " + m_f());
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

private:
    std::function<std::string()> m_f;
};

std::vector<std::string> Items(CPagewingWxDlg& dialog, int nId)
{
    return dialog.m_controls.GetItems(nId);
}
} // namespace

class PagewingGui : public CPagewingGuiTest
{
};

TEST_F(PagewingGui, DialogKeepsTheTemplatesIdsCaptionsItemsAndGeometry)
{
    CPagewingWxDlg& dialog = ShowDialog(m_fake, m_clock);
    EXPECT_EQ(dialog.GetTitle(), "Pagewing");
    EXPECT_EQ(dialog.GetFont().GetPointSize(), 10);
    EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(207, 192)));
    EXPECT_TRUE(dialog.GetIcon().IsOk());

    for (const CControlSpec& spec : kControls)
    {
        const wxWindow* pControl = FindControl(dialog, spec.m_nId);
        ASSERT_NE(pControl, nullptr) << spec.m_nId;
        EXPECT_EQ(KindOf(pControl), spec.m_pszKind) << spec.m_nId;
        if (*spec.m_pszLabel)
        {
            EXPECT_EQ(pControl->GetLabel(), spec.m_pszLabel) << spec.m_nId;
        }
        EXPECT_EQ(pControl->GetPosition(), dialog.ConvertDialogToPixels(wxPoint(spec.x, spec.y)))
            << spec.m_nId;
        // A radio button is never narrower than its mark and text need, the
        // baud rate's box never narrower than its longest rate.
        int nWidth = dialog.ConvertDialogToPixels(wxSize(spec.w, spec.h)).x;
        if (KindOf(pControl) == "radio" || KindOf(pControl) == "combo")
            nWidth = std::max(nWidth, pControl->GetBestSize().x);
        EXPECT_EQ(pControl->GetSize().x, nWidth) << spec.m_nId;
    }
    EXPECT_EQ(UnnamedLabels(dialog),
              (std::vector<std::string>{"VF730 @7,7", "File Path: @11,18", "Port Setting @9,32",
                                        "Port: @27,46", "Parity: @92,45", "Baudrate: @12,63",
                                        "Note: The defaut parity is \"No\", baudrate is \"9600\". "
                                        "@15,78",
                                        "Select DownLoadFile Address @9,93", "PageNo: @15,122",
                                        "Status: @15,154"}));

    EXPECT_EQ(Items(dialog, IDC_PORT), (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4",
                                                                 "COM5", "COM6", "COM7", "COM8"}));
    EXPECT_EQ(Items(dialog, IDC_PARITY),
              (std::vector<std::string>{"No", "Odd", "Even", "Mark", "Space"}));
    EXPECT_EQ(Items(dialog, IDC_BAUD),
              (std::vector<std::string>{"1200", "2400", "4800", "9600", "19200", "38400"}));
    EXPECT_EQ(Items(dialog, IDC_PAGE_NO), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(dialog.m_controls.RadioGroup(IDC_AREA_LOW).size(), 2u);

    // At start: the first area, COM1, no parity, 9600, page 1.
    EXPECT_EQ(dialog.m_controls.GetValue(IDC_AREA_LOW), 0);
    EXPECT_EQ(dialog.m_controls.GetText(IDC_PORT), "COM1");
    EXPECT_EQ(dialog.m_controls.GetText(IDC_PARITY), "No");
    EXPECT_EQ(dialog.m_controls.GetText(IDC_BAUD), "9600");
    EXPECT_EQ(dialog.m_controls.GetText(IDC_PAGE_NO), "1");
    EXPECT_TRUE(FindControl(dialog, IDC_OPEN)->IsEnabled());
    EXPECT_TRUE(FindControl(dialog, IDC_CLOSE)->IsEnabled());
    EXPECT_FALSE(dynamic_cast<wxTextCtrl*>(FindControl(dialog, IDC_STATUS))->IsEditable());
    EXPECT_TRUE(dynamic_cast<wxTextCtrl*>(FindControl(dialog, IDC_FILE_PATH))->IsEditable());
    EXPECT_EQ(dialog.GetDefaultItem(), FindControl(dialog, IDC_BROWSE));
    EXPECT_TRUE(m_fake.m_calls.empty());
}

TEST_F(PagewingGui, OkDoesNothingWhileExitCloses)
{
    CPagewingWxDlg& dialog = ShowDialog(m_fake, m_clock);
    wxCommandEvent ok(wxEVT_BUTTON, 1);
    dialog.ProcessWindowEvent(ok);
    Settle();
    EXPECT_TRUE(dialog.IsShown());

    ClickControl(dialog, 2);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.IsShown(); }));
    EXPECT_TRUE(m_fake.m_calls.empty());
}

TEST_F(PagewingGui, AboutBoxOpensFromF1AndFromTheContextMenu)
{
    CPagewingWxDlg& dialog = ShowDialog(m_fake, m_clock);
    m_watcher.SaveScreenshots(ArtifactPath("pagewing-about"));
    m_watcher.Answer(1);
    ClickControl(dialog, IDC_STATUS);
    PressKey(WXK_F1);
    ASSERT_TRUE(PumpUntil([&] { return m_watcher.Seen().size() == 1; }));
    EXPECT_EQ(m_watcher.Seen()[0].m_strKind, "dialog");
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "About Pagewing");
    EXPECT_EQ(m_watcher.Seen()[0].m_nPressed, 1);

    // A right click on the dialog's face opens its menu; the first item,
    // chosen with the keyboard, is the About box.
    m_watcher.Answer(1);
    wxTimer choose;
    choose.Bind(wxEVT_TIMER,
                [](wxTimerEvent&)
                {
                    wxUIActionSimulator keys;
                    keys.Char(WXK_DOWN);
                    keys.Char(WXK_RETURN);
                });
    choose.StartOnce(400);
    wxUIActionSimulator mouse;
    const wxPoint face = dialog.ClientToScreen(dialog.ConvertDialogToPixels(wxPoint(3, 100)));
    mouse.MouseMove(face);
    ASSERT_TRUE(PumpUntil([&] { return wxGetMousePosition() == face; }));
    mouse.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(PumpUntil([&] { return m_watcher.Seen().size() == 2; }));
    ASSERT_EQ(m_watcher.Seen().size(), 2u);
    EXPECT_EQ(m_watcher.Seen()[1].m_strCaption, "About Pagewing");
    EXPECT_TRUE(m_fake.m_calls.empty());
}

TEST_F(PagewingGui, AboutBoxShowsTheVersionIconAndOk)
{
    CPagewingWxDlg& dialog = ShowDialog(m_fake, m_clock);
    auto* pAbout = new CAboutDlg(&dialog);
    pAbout->Move(60, 520);
    pAbout->Show();
    ASSERT_TRUE(PumpUntil([&] { return pAbout->IsShownOnScreen(); }));
    Settle();
    EXPECT_EQ(pAbout->GetTitle(), "About Pagewing");
    EXPECT_EQ(pAbout->GetFont().GetPointSize(), 8);
    EXPECT_EQ(pAbout->GetClientSize(), pAbout->ConvertDialogToPixels(wxSize(235, 55)));
    EXPECT_EQ(FindControl(*pAbout, 1)->GetPosition(),
              pAbout->ConvertDialogToPixels(wxPoint(178, 7)));
    std::vector<std::string> texts;
    for (const wxWindow* pChild : pAbout->GetChildren())
        if (wxDynamicCast(pChild, wxStaticText))
            texts.push_back(pChild->GetLabel().utf8_string());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Pagewing Version 1.0");
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("pagewing-about-box.png"), pAbout));
}

TEST_F(PagewingGui, BusyCursorOnlyWhileACommandCallsTheLibrary)
{
    CPagewingWxDlg& dialog = ShowDialog(m_fake, m_clock);
    std::vector<std::string> seen;
    m_fake.m_onCall = [&](const CRecordingVf620Calls::CCall& call)
    { seen.push_back(call.m_strName + (wxIsBusy() ? " busy" : " idle")); };

    // No library call: no busy cursor.
    ClickUntilStatus(dialog, IDC_DOWNLOAD_ALL, kStatusPortNotOpened);
    EXPECT_FALSE(wxIsBusy());

    ClickControl(dialog, IDC_OPEN);
    ASSERT_TRUE(PumpUntil([&] { return !FindControl(dialog, IDC_OPEN)->IsEnabled(); }));
    EXPECT_FALSE(wxIsBusy());

    // The library's message comes as this program's box, with the normal
    // pointer, and before the status.
    m_fake.m_downloadMessages = {"The selected file is empty!"};
    m_fake.m_nDownloadResult = -1;
    m_watcher.Answer(wxID_OK);
    CLookAtModalDialogs look([&] { return Status(dialog); });
    ClickUntilStatus(dialog, IDC_DOWNLOAD_ALL, kStatusDownloadFail);
    EXPECT_FALSE(wxIsBusy());
    EXPECT_EQ(look.m_seen, std::vector<std::string>{"idle, status: Port not opened!"});
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "The selected file is empty!");
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "Pagewing");
    EXPECT_TRUE(m_watcher.Seen()[0].m_bHasOwner);

    EXPECT_EQ(seen, (std::vector<std::string>{"OpenDComm busy", "DownLoadFile busy"}));
}

TEST_F(PagewingGui, OpenClearAndCloseOnVfdsimsPort)
{
    CVfdsimProcess sim;
    ASSERT_TRUE(sim.Start(5, {"--idle-ms", "100"}));
    sim.PublishInUserPortMap(); // COM5 reached through the user's map alone
    CPagewingWxDlg& dialog = ShowDialog(Library());
    dialog.m_controls.SetValue(IDC_PORT, 4);
    ClickControl(dialog, IDC_OPEN);
    ASSERT_TRUE(PumpUntil([&] { return !FindControl(dialog, IDC_OPEN)->IsEnabled(); }));
    EXPECT_TRUE(FindControl(dialog, IDC_CLOSE)->IsEnabled());
    EXPECT_NE(dialog.m_dlg.m_nPortOpen, 0);

    dialog.m_controls.SetText(IDC_FILE_PATH, "/home/user/fonts/vf620-latin.bin");
    ClickUntilStatus(dialog, IDC_CLEAR_DISPLAY, kStatusClearComplete);
    EXPECT_EQ(sim.WaitForDisplayBytes(1, 5s), std::vector<std::uint8_t>{0x0C});
    Settle();
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("pagewing-dialog.png"), &dialog));

    ClickControl(dialog, IDC_CLOSE);
    ASSERT_TRUE(PumpUntil([&] { return FindControl(dialog, IDC_OPEN)->IsEnabled(); }));
    EXPECT_FALSE(FindControl(dialog, IDC_CLOSE)->IsEnabled());
    EXPECT_EQ(dialog.m_dlg.m_nPortOpen, 0);
    // Closed, the port takes nothing more.
    ClickUntilStatus(dialog, IDC_CLEAR_DISPLAY, kStatusClearFail);
    EXPECT_EQ(sim.DisplayBytes(), std::vector<std::uint8_t>{0x0C});
    EXPECT_TRUE(m_watcher.Seen().empty());
}

TEST_F(PagewingGui, PortNotOpenedAndOpenPortFail)
{
    ::setenv("VFDKIT_COM7", "/nonexistent/vfdkit/tty", 1);
    CPagewingWxDlg& dialog = ShowDialog(Library());
    ClickUntilStatus(dialog, IDC_DOWNLOAD_ALL, kStatusPortNotOpened);
    dialog.m_controls.SetText(IDC_STATUS, "");
    ClickUntilStatus(dialog, IDC_DISPLAY_ASCII, kStatusPortNotOpened);
    dialog.m_controls.SetText(IDC_STATUS, "");
    ClickUntilStatus(dialog, IDC_DISPLAY_PC, kStatusPortNotOpened);

    dialog.m_controls.SetValue(IDC_PORT, 6);
    m_watcher.SaveScreenshots(ArtifactPath("pagewing-open-fail"));
    m_watcher.Answer(wxID_OK);
    ClickControl(dialog, IDC_OPEN);
    ASSERT_TRUE(PumpUntil([&] { return m_watcher.Seen().size() == 1; }));
    const CModalDialogWatcher::CSeen& box = m_watcher.Seen()[0];
    // The product's message, then the library's cause on a second line.
    EXPECT_EQ(box.m_strText, "Open port fail!\n/nonexistent/vfdkit/tty: no such device (COM7 is "
                             "mapped to it by the variable VFDKIT_COM7)");
    EXPECT_EQ(box.m_strCaption, "Pagewing");
    EXPECT_EQ(box.m_strIcon, "error");
    EXPECT_EQ(box.m_buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(FindControl(dialog, IDC_OPEN)->IsEnabled());
    EXPECT_EQ(dialog.m_dlg.m_nPortOpen, 0);
    ::unsetenv("VFDKIT_COM7");
}

TEST_F(PagewingGui, PageListFollowsTheAreaButtons)
{
    CPagewingWxDlg& dialog = ShowDialog(Library());
    CWxControlAccess& controls = dialog.m_controls;
    ClickControl(dialog, IDC_AREA_HIGH);
    ASSERT_TRUE(PumpUntil([&] { return Items(dialog, IDC_PAGE_NO).size() == 8; }));
    EXPECT_EQ(Items(dialog, IDC_PAGE_NO).back(), "8");
    EXPECT_EQ(controls.GetText(IDC_PAGE_NO), "1");

    controls.SetValue(IDC_PAGE_NO, 7);
    ClickControl(dialog, IDC_AREA_LOW);
    ASSERT_TRUE(PumpUntil([&] { return Items(dialog, IDC_PAGE_NO).size() == 6; }));
    EXPECT_EQ(controls.GetValue(IDC_PAGE_NO), -1);
    EXPECT_EQ(controls.GetValue(IDC_AREA_LOW), 0);

    m_watcher.Answer(wxID_OK);
    ClickControl(dialog, IDC_DOWNLOAD_SINGLE_PAGE);
    ASSERT_TRUE(PumpUntil([&] { return m_watcher.Seen().size() == 1; }));
    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "Please set the page number first!");
    EXPECT_EQ(m_watcher.Seen()[0].m_strIcon, "warning");
    EXPECT_EQ(Status(dialog), "");
}

TEST_F(PagewingGui, TheLibrarysMessagesAreThisProgramsMessageBoxes)
{
    CPagewingWxDlg& dialog = ShowDialog(Library());
    m_watcher.Answer(wxID_OK);
    ClickUntilStatus(dialog, IDC_DOWNLOAD_SINGLE_PAGE, kStatusSinglePageFail);
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "Please select file path first!");
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "Pagewing");
    EXPECT_TRUE(m_watcher.Seen()[0].m_bHasOwner);
}
