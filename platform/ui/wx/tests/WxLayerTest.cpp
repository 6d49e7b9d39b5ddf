// The wx layer driven for real under an X display: the probe dialog built
// from its resource, data exchange with real controls, real clicks and
// keystrokes, and the real message boxes and file dialogs they open.

#include "ModalDialogWatcher.h"
#include "ProbeDialog.h"
#include "RecordingUserInterface.h"
#include "TempFolder.h"
#include "WxRadioGroup.h"
#include "WxResources.h"
#include "WxTesting.h"

#include <filesystem>
#include <fstream>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
#include <wx/icon.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <gtest/gtest-spi.h>

extern void InitProbeResources();

namespace
{
template <typename T>
T* Get(const wxWindow& window, int nId)
{
    return dynamic_cast<T*>(FindControl(window, nId));
}
} // namespace

class WxLayer : public CWxTest
{
protected:
    static void SetUpTestSuite() { InitProbeResources(); }

    // A shown probe dialog, drawn and ready for input; in the middle of the
    // screen unless told where.
    CProbeDialog* ShowProbe(std::optional<wxPoint> position = {})
    {
        auto* pDialog = new CProbeDialog;
        if (position)
            pDialog->Move(*position);
        else
            pDialog->CentreOnScreen();
        pDialog->Show();
        EXPECT_TRUE(PumpUntil([&] { return pDialog->IsShownOnScreen(); }));
        Settle();
        return pDialog;
    }

    CModalDialogWatcher m_watcher;
};

TEST_F(WxLayer, ResourceKeepsIdsKindsAndDialogUnits)
{
    CProbeDialog& dialog = *ShowProbe();
    EXPECT_EQ(dialog.GetTitle(), "Probe");
    EXPECT_EQ(dialog.GetFont().GetPointSize(), 8);
    EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(262, 190)));

    EXPECT_NE(Get<wxTextCtrl>(dialog, kIdName), nullptr);
    EXPECT_NE(Get<wxTextCtrl>(dialog, kIdHeight), nullptr);
    EXPECT_NE(Get<wxCheckBox>(dialog, kIdVerbose), nullptr);
    EXPECT_NE(Get<wxChoice>(dialog, kIdPort), nullptr);
    EXPECT_NE(Get<wxComboBox>(dialog, kIdBaud), nullptr);
    EXPECT_NE(Get<wxListBox>(dialog, kIdModels), nullptr);
    EXPECT_NE(Get<wxGauge>(dialog, kIdProgress), nullptr);
    for (int nId = kIdWidth8; nId <= kIdWidth40; ++nId)
        EXPECT_NE(Get<wxRadioButton>(dialog, nId), nullptr) << nId;
    EXPECT_EQ(FindControl(dialog, kIdOk)->GetLabel(), "OK");

    // Controls sit where the resource puts them, in the dialog's own units.
    const wxWindow* pHeight = FindControl(dialog, kIdHeight);
    EXPECT_EQ(pHeight->GetPosition(), dialog.ConvertDialogToPixels(wxPoint(45, 23)));
    EXPECT_EQ(pHeight->GetSize(), dialog.ConvertDialogToPixels(wxSize(40, 12)));

    // Radio groups run from the button that starts one to the next such.
    EXPECT_EQ(dialog.m_controls.RadioGroup(kIdWidth8).size(), 5u);
    EXPECT_EQ(dialog.m_controls.RadioGroup(kIdAreaLow).size(), 2u);

    // The placeholder gave way to the painted control: same id, place, edge.
    ASSERT_NE(dialog.m_pCanvas, nullptr);
    EXPECT_EQ(FindControl(dialog, kIdCanvas), dialog.m_pCanvas);
    EXPECT_EQ(dialog.m_pCanvas->GetRect(), wxRect(dialog.ConvertDialogToPixels(wxPoint(112, 90)),
                                                  dialog.ConvertDialogToPixels(wxSize(143, 56))));
    EXPECT_TRUE(dialog.m_pCanvas->HasFlag(wxBORDER_SUNKEN));

    // Icons and bitmaps travel inside the program.
    auto* pIconButton = Get<wxBitmapButton>(dialog, kIdOpenSettings);
    ASSERT_NE(pIconButton, nullptr);
    EXPECT_EQ(pIconButton->GetToolTipText(), "Open Setting File");
    EXPECT_EQ(pIconButton->GetBitmap().GetSize(), wxSize(16, 16));
    EXPECT_TRUE(LoadXrcIcon(128).IsOk());

    EXPECT_TRUE(SaveScreenshot(ArtifactPath("wx-probe-dialog.png"), &dialog));
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("wx-probe-screen.png")));
}

TEST_F(WxLayer, DataExchangeShowsAndTakesEveryKindOfControl)
{
    CProbeDialog& dialog = *ShowProbe();
    CProbeForm& form = dialog.m_form;
    form.m_strName = "Font & more";
    form.m_nWidthIndex = 2;
    form.m_nAreaIndex = -1;
    form.m_nHeight = 12;
    form.m_nPortIndex = 3;
    form.m_strBaud = "192"; // selects the first item starting with it
    form.m_nModelIndex = -1;
    form.m_nVerbose = 1;
    ASSERT_TRUE(form.UpdateData(false));

    EXPECT_EQ(Get<wxTextCtrl>(dialog, kIdName)->GetValue(), "Font & more");
    for (int nId = kIdWidth8; nId <= kIdWidth40; ++nId)
        EXPECT_EQ(Get<wxRadioButton>(dialog, nId)->GetValue(), nId == kIdWidth24) << nId;
    EXPECT_FALSE(Get<wxRadioButton>(dialog, kIdAreaLow)->GetValue());
    EXPECT_FALSE(Get<wxRadioButton>(dialog, kIdAreaHigh)->GetValue());
    EXPECT_EQ(Get<wxTextCtrl>(dialog, kIdHeight)->GetValue(), "12");
    EXPECT_EQ(Get<wxChoice>(dialog, kIdPort)->GetStringSelection(), "COM4");
    EXPECT_EQ(Get<wxComboBox>(dialog, kIdBaud)->GetSelection(), 4);
    EXPECT_EQ(Get<wxComboBox>(dialog, kIdBaud)->GetValue(), "19200");
    EXPECT_EQ(Get<wxListBox>(dialog, kIdModels)->GetSelection(), wxNOT_FOUND);
    EXPECT_TRUE(Get<wxCheckBox>(dialog, kIdVerbose)->GetValue());

    // The user changes every control; the form takes them all.
    Get<wxTextCtrl>(dialog, kIdName)->ChangeValue("Other");
    Get<wxRadioButton>(dialog, kIdWidth40)->SetValue(true);
    Get<wxRadioButton>(dialog, kIdAreaHigh)->SetValue(true);
    Get<wxTextCtrl>(dialog, kIdHeight)->ChangeValue(" 32 ");
    Get<wxChoice>(dialog, kIdPort)->SetSelection(1);
    Get<wxComboBox>(dialog, kIdBaud)->ChangeValue("57600");
    Get<wxListBox>(dialog, kIdModels)->SetSelection(2);
    Get<wxCheckBox>(dialog, kIdVerbose)->SetValue(false);
    ASSERT_TRUE(form.UpdateData(true));
    EXPECT_EQ(form.m_strName, "Other");
    EXPECT_EQ(form.m_nWidthIndex, 4);
    EXPECT_EQ(form.m_nAreaIndex, 1);
    EXPECT_EQ(form.m_nHeight, 32);
    EXPECT_EQ(form.m_nPortIndex, 1);
    EXPECT_EQ(form.m_strBaud, "57600");
    EXPECT_EQ(form.m_nModelIndex, 2);
    EXPECT_EQ(form.m_nVerbose, 0);

    // Text that starts no item is typed into the combo box, selecting none;
    // indexes outside a list select nothing.
    form.m_strBaud = "57600";
    form.m_nPortIndex = 9;
    form.m_nModelIndex = 4;
    form.m_nWidthIndex = 5;
    ASSERT_TRUE(form.UpdateData(false));
    EXPECT_EQ(Get<wxComboBox>(dialog, kIdBaud)->GetValue(), "57600");
    EXPECT_EQ(Get<wxComboBox>(dialog, kIdBaud)->GetSelection(), wxNOT_FOUND);
    ASSERT_TRUE(form.UpdateData(true));
    EXPECT_EQ(form.m_nPortIndex, -1);
    EXPECT_EQ(form.m_nModelIndex, -1);
    EXPECT_EQ(form.m_nWidthIndex, -1);
}

TEST_F(WxLayer, ListsAreRefilledAndControlsHiddenAndDisabledById)
{
    CProbeDialog& dialog = *ShowProbe();
    CWxControlAccess& controls = dialog.m_controls;
    CControlAccess& layout = controls; // through the interface the logic sees
    controls.SetValue(kIdPort, 2);
    layout.SetItems(kIdPort, {"PC437", "PC850", "PC866"});
    EXPECT_EQ(controls.GetItems(kIdPort), (std::vector<std::string>{"PC437", "PC850", "PC866"}));
    EXPECT_EQ(controls.GetValue(kIdPort), -1);
    controls.SetText(kIdPort, "pc8"); // drop-down lists select by text too
    EXPECT_EQ(controls.GetValue(kIdPort), 1);
    controls.SetText(kIdPort, "nothing like it");
    EXPECT_EQ(controls.GetText(kIdPort), "PC850");

    layout.SetItems(kIdBaud, {});
    EXPECT_TRUE(controls.GetItems(kIdBaud).empty());
    EXPECT_EQ(controls.GetText(kIdBaud), "");

    layout.ShowControl(kIdAreaHigh, false);
    layout.EnableControl(kIdBrowse, false);
    EXPECT_FALSE(FindControl(dialog, kIdAreaHigh)->IsShown());
    EXPECT_FALSE(FindControl(dialog, kIdBrowse)->IsEnabled());
    // A hidden button still counts in its group.
    controls.SetValue(kIdAreaLow, 1);
    EXPECT_EQ(controls.GetValue(kIdAreaLow), 1);

    controls.SetLabel(kIdBrowse, "&Choose...");
    EXPECT_EQ(Get<wxButton>(dialog, kIdBrowse)->GetLabelText(), "Choose...");
    controls.SetText(kIdName, "a & b");
    EXPECT_EQ(controls.GetText(kIdName), "a & b");
}

TEST_F(WxLayer, RealClicksMoveOnlyTheirOwnRadioGroup)
{
    CProbeDialog& dialog = *ShowProbe();
    CWxControlAccess& controls = dialog.m_controls;
    ASSERT_EQ(controls.GetValue(kIdWidth8), 1);
    ASSERT_EQ(controls.GetValue(kIdAreaLow), 0);

    ClickControl(dialog, kIdWidth32);
    EXPECT_TRUE(PumpUntil([&] { return controls.GetValue(kIdWidth8) == 3; }));
    EXPECT_EQ(controls.GetValue(kIdAreaLow), 0);

    ClickControl(dialog, kIdAreaHigh);
    EXPECT_TRUE(PumpUntil([&] { return controls.GetValue(kIdAreaLow) == 1; }));
    EXPECT_EQ(controls.GetValue(kIdWidth8), 3);

    // A cleared group takes a click as any other.
    controls.SetValue(kIdWidth8, -1);
    EXPECT_EQ(controls.GetValue(kIdWidth8), -1);
    ClickControl(dialog, kIdWidth8);
    EXPECT_TRUE(PumpUntil([&] { return controls.GetValue(kIdWidth8) == 0; }));
    EXPECT_EQ(controls.GetValue(kIdAreaLow), 1);
}

TEST_F(WxLayer, RadioClicksReachTheirHandlerEveryTimeButChangesByProgramDoNot)
{
    CProbeDialog& dialog = *ShowProbe();
    CWxControlAccess& controls = dialog.m_controls;
    std::vector<std::pair<int, int>> clicks; // button, group index at the click
    for (int nId : {kIdAreaLow, kIdAreaHigh})
        BindRadioClick(*Get<wxRadioButton>(dialog, nId),
                       [&, nId] { clicks.emplace_back(nId, controls.GetValue(kIdAreaLow)); });

    ClickControl(dialog, kIdAreaHigh);
    ClickControl(dialog, kIdAreaHigh); // checked already: a click all the same
    ClickControl(dialog, kIdAreaLow);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() >= 3; }));
    Settle();
    // Each after its group changed; the button that lost the check got none.
    EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{
                          {kIdAreaHigh, 1}, {kIdAreaHigh, 1}, {kIdAreaLow, 0}}));
    // The space bar on the focused button clicks it too.
    PressKey(WXK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return clicks.size() == 4; }));
    EXPECT_EQ(clicks.back(), std::make_pair(int(kIdAreaLow), 0));

    // Checking, clearing and clicks on other controls are no clicks.
    controls.SetValue(kIdAreaLow, 1);
    controls.SetValue(kIdAreaLow, -1);
    controls.SetValue(kIdAreaLow, 0);
    ClickControl(dialog, kIdWidth24);
    Settle();
    EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(WxLayer, RejectedEntryShowsTheRealMessageBoxAndSelectsTheField)
{
    CProbeDialog& dialog = *ShowProbe();
    auto* pHeight = Get<wxTextCtrl>(dialog, kIdHeight);
    pHeight->ChangeValue("");
    ClickControl(dialog, kIdHeight);
    TypeText("40");
    ASSERT_TRUE(PumpUntil([&] { return pHeight->GetValue() == "40"; }))
        << "typed: " << pHeight->GetValue();

    m_watcher.SaveScreenshots(ArtifactPath("wx-rejected-entry"));
    m_watcher.Answer(wxID_OK);
    ClickControl(dialog, kIdOk);
    ASSERT_TRUE(PumpUntil([&] { return !m_watcher.Seen().empty(); }));
    const CModalDialogWatcher::CSeen& box = m_watcher.Seen().front();
    EXPECT_EQ(box.m_strKind, "message");
    EXPECT_EQ(box.m_strText, "Please enter an integer between 1 and 32.");
    EXPECT_EQ(box.m_strCaption, "vfdkit GUI tests"); // the application's name
    EXPECT_EQ(box.m_strIcon, "warning");
    EXPECT_EQ(box.m_buttons, std::vector<std::string>{"OK"});
    EXPECT_TRUE(box.m_bHasOwner);
    EXPECT_EQ(dialog.m_nAccepted, 0);

    // The field has the focus with its text selected, so typing replaces it.
    EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == pHeight; }));
    long nFrom = 0, nTo = 0;
    pHeight->GetSelection(&nFrom, &nTo);
    EXPECT_EQ(nFrom, 0);
    EXPECT_EQ(nTo, 2);
    TypeText("12");
    ASSERT_TRUE(PumpUntil([&] { return pHeight->GetValue() == "12"; }))
        << "typed: " << pHeight->GetValue();
    ClickControl(dialog, kIdOk);
    EXPECT_TRUE(PumpUntil([&] { return dialog.m_nAccepted == 1; }));
    EXPECT_EQ(dialog.m_form.m_nHeight, 12);
    EXPECT_EQ(m_watcher.Seen().size(), 1u);
}

TEST_F(WxLayer, MessageBoxesShowCaptionIconButtonsAndOwnerAsAsked)
{
    CProbeDialog& dialog = *ShowProbe();

    // No owner, an empty caption, OK and Cancel.
    CWxUserInterface noOwner(nullptr);
    m_watcher.Answer(wxID_CANCEL);
    EXPECT_EQ(noOwner.MessageBox(CMessageBoxRequest{"Confirm the exit?!", "", EMessageIcon::None,
                                                    EMessageButtons::OkCancel}),
              EMessageResult::Cancel);

    CWxUserInterface owned(&dialog);
    m_watcher.Answer(wxID_NO);
    EXPECT_EQ(owned.MessageBox("Replace it?", EMessageIcon::Question, EMessageButtons::YesNo),
              EMessageResult::No);
    m_watcher.Answer(wxID_YES);
    EXPECT_EQ(owned.MessageBox(CMessageBoxRequest{"Go on?", "Stop here", EMessageIcon::Stop,
                                                  EMessageButtons::YesNoCancel}),
              EMessageResult::Yes);
    m_watcher.Answer(wxID_OK);
    EXPECT_EQ(owned.MessageBox("Download OK!", EMessageIcon::Information), EMessageResult::Ok);

    const auto& seen = m_watcher.Seen();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].m_strCaption, "");
    EXPECT_EQ(seen[0].m_strText, "Confirm the exit?!");
    EXPECT_FALSE(seen[0].m_bHasOwner);
    EXPECT_EQ(seen[0].m_buttons, (std::vector<std::string>{"Cancel", "OK"}));

    EXPECT_EQ(seen[1].m_strCaption, "vfdkit GUI tests");
    EXPECT_EQ(seen[1].m_strIcon, "question");
    EXPECT_TRUE(seen[1].m_bHasOwner);
    EXPECT_EQ(seen[1].m_buttons, (std::vector<std::string>{"No", "Yes"}));

    EXPECT_EQ(seen[2].m_strCaption, "Stop here");
    EXPECT_EQ(seen[2].m_strIcon, "error");
    EXPECT_EQ(seen[2].m_buttons.size(), 3u);

    EXPECT_EQ(seen[3].m_strIcon, "info");
    EXPECT_EQ(seen[3].m_strText, "Download OK!");
}

TEST_F(WxLayer, BrowseOpensTheRealFileDialogAndCancelGivesNothing)
{
    CProbeDialog& dialog = *ShowProbe();
    const CTempFolder folder;
    dialog.m_strBrowseFolder = folder.Path().string();
    m_watcher.SaveScreenshots(ArtifactPath("wx-browse"));
    m_watcher.Answer(wxID_CANCEL);
    ClickControl(dialog, kIdBrowse);
    ASSERT_TRUE(PumpUntil([&] { return dialog.m_bBrowsed; }));
    EXPECT_EQ(dialog.m_browsedPath, std::nullopt);

    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    const CModalDialogWatcher::CSeen& seen = m_watcher.Seen().front();
    EXPECT_EQ(seen.m_strKind, "file");
    EXPECT_EQ(seen.m_strCaption, "Open");
    EXPECT_EQ(seen.m_filters, (std::vector<std::string>{"Font Files (*.bin)", "All Files (*.*)"}));
    EXPECT_EQ(seen.m_strFolder, folder.Path().string());
    EXPECT_EQ(seen.m_nPressed, wxID_CANCEL);
}

TEST_F(WxLayer, SaveDialogCompletesTheNameAndAsksBeforeReplacingTheCompletedFile)
{
    CProbeDialog& dialog = *ShowProbe();
    const CTempFolder folder;
    const std::string strFolder = folder.Path().string();
    std::ofstream(strFolder + "/taken.bin") << "x";

    CFileDialogRequest request;
    request.m_bOpen = false;
    request.m_strFilter = "Font Files (*.bin)|*.bin||";
    request.m_strDefaultExt = "bin";
    request.m_strFileName = strFolder + "/first.bin";
    request.m_bOverwritePrompt = true;

    m_watcher.Answer(wxID_OK, strFolder + "/new");
    EXPECT_EQ(dialog.m_ui.FileDialog(request), strFolder + "/new.bin");
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "Save As");
    EXPECT_EQ(m_watcher.Seen()[0].m_strFileName, "first.bin");
    EXPECT_EQ(m_watcher.Seen()[0].m_strFolder, strFolder);

    // "taken" becomes taken.bin, which exists: replace it only when the
    // user says so; otherwise the dialog comes back.
    m_watcher.Answer(wxID_OK, strFolder + "/taken");
    m_watcher.Answer(wxID_NO);
    m_watcher.Answer(wxID_CANCEL);
    EXPECT_EQ(dialog.m_ui.FileDialog(request), std::nullopt);
    m_watcher.Answer(wxID_OK, strFolder + "/taken");
    m_watcher.Answer(wxID_YES);
    EXPECT_EQ(dialog.m_ui.FileDialog(request), strFolder + "/taken.bin");

    const auto& seen = m_watcher.Seen();
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[2].m_strKind, "message");
    EXPECT_EQ(seen[2].m_strCaption, "Confirm Save As");
    EXPECT_EQ(seen[2].m_strText,
              strFolder + "/taken.bin already exists.\nDo you want to replace it?");
    EXPECT_EQ(seen[3].m_strKind, "file");
    // Back with the name as typed, in the chosen type's extension.
    EXPECT_EQ(seen[3].m_strFileName, "taken.bin");
}

TEST_F(WxLayer, PaintedControlShowsItsPainterAndTakesRealClicks)
{
    // Away from where the other tests leave their windows' pixels.
    CProbeDialog& dialog = *ShowProbe(wxPoint(60, 40));
    CWxPaintedControl& canvas = *dialog.m_pCanvas;
    EXPECT_GT(dialog.m_painter.m_nPaints, 0);

    // What the painter drew is on the screen.
    const wxPoint square =
        canvas.ClientToScreen(wxPoint(CProbePainter::kRedLeft + 5, CProbePainter::kRedTop + 5));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(square) == wxColour(220, 0, 0); }))
        << ScreenPixel(square).GetAsString();
    const wxPoint white = canvas.ClientToScreen(wxPoint(CProbePainter::kRedRight + 2, 5));
    EXPECT_EQ(ScreenPixel(white), *wxWHITE);

    ClickControl(dialog, kIdCanvas, wxPoint(37, 21));
    ASSERT_TRUE(PumpUntil([&] { return !dialog.m_painter.m_clicks.empty(); }));
    const wxSize client = canvas.GetClientSize();
    EXPECT_EQ(dialog.m_painter.m_clicks,
              (std::vector<CProbePainter::CClick>{{37, 21, {client.x, client.y}}}));
    EXPECT_EQ(wxWindow::FindFocus(), &canvas);
    // The painter asked for a repaint on the click; the new face reaches the
    // screen.
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(square) == wxColour(0, 160, 0); }))
        << ScreenPixel(square).GetAsString();
}

TEST_F(WxLayer, ControlHostStandsForItsWindowOnlyWhileItLives)
{
    CProbeDialog& dialog = *ShowProbe();
    CWxControlHost host;
    EXPECT_EQ(host.GetClientSize(), CClientSize{});
    host.Invalidate(); // no window yet: nothing happens

    host.Bind(dialog.m_pCanvas);
    const wxSize client = dialog.m_pCanvas->GetClientSize();
    EXPECT_EQ(host.GetClientSize(), (CClientSize{client.x, client.y}));

    // A window that goes takes its host's link with it.
    dialog.m_pCanvas->Destroy();
    dialog.m_pCanvas = nullptr;
    EXPECT_EQ(host.Window(), nullptr);
    EXPECT_EQ(dialog.m_canvasHost.Window(), nullptr);
    EXPECT_EQ(host.GetClientSize(), CClientSize{});
    host.Invalidate();
}

TEST_F(WxLayer, StandInAnswersInsteadOfWindows)
{
    CRecordingUserInterface recording;
    recording.m_answers = {EMessageResult::Yes};
    recording.m_fileAnswers = {std::string("/tmp/chosen.bin")};
    CWxUserInterface::CStandIn standIn(recording);

    CWxUserInterface ui(nullptr);
    EXPECT_EQ(ui.MessageBox("Replace?", EMessageIcon::Question, EMessageButtons::YesNo),
              EMessageResult::Yes);
    EXPECT_EQ(ui.FileDialog(CFileDialogRequest{}), "/tmp/chosen.bin");
    EXPECT_EQ(recording.Texts(), std::vector<std::string>{"Replace?"});
    EXPECT_EQ(recording.m_fileDialogs.size(), 1u);
    EXPECT_TRUE(m_watcher.Seen().empty()); // nothing opened
}

TEST_F(WxLayer, ModalResourceDialogEndsWithTheButtonsIds)
{
    CProbeDialog dialog;
    m_watcher.Answer(kIdCancel);
    EXPECT_EQ(dialog.ShowModal(), kIdCancel);
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strKind, "dialog");
    EXPECT_EQ(m_watcher.Seen()[0].m_strCaption, "Probe");

    // The close box counts as Cancel too.
    m_watcher.Answer(kIdCancel); // never pressed: the window closes first
    dialog.CallAfter([&] { dialog.Close(); });
    EXPECT_EQ(dialog.ShowModal(), kIdCancel);
    m_watcher.Answer(kIdCancel);
    EXPECT_EQ(dialog.ShowModal(), kIdCancel);
}

// Without a watcher of its own a test still never waits on a dialog.
class WxHarness : public CWxTest
{
};

TEST_F(WxHarness, UnexpectedMessageBoxFailsTheTestAndIsCancelled)
{
    static EMessageResult s_result = EMessageResult::Ok;
    EXPECT_NONFATAL_FAILURE(s_result = CWxUserInterface(nullptr).MessageBox(
                                "Surprise", EMessageIcon::Warning, EMessageButtons::OkCancel),
                            "unexpected message dialog");
    EXPECT_EQ(s_result, EMessageResult::Cancel);
}
