// File > Download... against the virtual display, in real time: the Download
// dialog sends the saved font and says "Download OK!".

#include "DownloadDlg.h"
#include "SampleFont.h"
#include "TypeloomFixture.h"
#include "TypeloomView.h"
#include "VfdsimProcess.h"
#include "WxControlAccess.h"
#include "WxDownloadDlg.h"
#include "WxText.h"

#include <wx/gauge.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

using TypeloomDownload = CTypeloomTest;

TEST_F(TypeloomDownload, TheDialogSendsTheSavedFontToTheDisplayAsCom1)
{
    CVfdsimProcess vfdsim;
    ASSERT_TRUE(vfdsim.Start(1));
    vfdsim.PublishInUserPortMap(); // COM1 through the user's map, no variable
    // Four glyphs of 8 x 16: the header and one data frame, about a second.
    const auto bytes = MakeSampleFont(8, 16, 4);
    const fs::path font = WriteFont("tiny.fnt", bytes);
    ASSERT_NE(Docs().CreateDocument(PathToWx(font.string()), wxDOC_SILENT), nullptr);
    Settle();
    ClickControl(FormPanel(), kIdWidthGroup); // 8 wide, 16 high
    ClickControl(FormPanel(), kIdApply);
    ASSERT_TRUE(PumpUntil([&] { return Form().GetView().GetGlyphGrid().m_glyph.m_nWidth == 8; }));

    // The bar's column near its right end, as drawn when each message opens:
    // empty at the path's message, full when the result comes.
    std::vector<std::vector<wxColour>> nearEnd;
    m_watcher.OnOpening(
        [&](wxDialog& dialog)
        {
            wxWindow* pOwner = dialog.GetParent();
            auto* pGauge = pOwner
                               ? dynamic_cast<wxGauge*>(FindControl(*pOwner, IDC_DOWNLOAD_PROGRESS))
                               : nullptr;
            if (!pGauge || !dynamic_cast<wxMessageDialog*>(&dialog))
                return;
            const wxSize size = pGauge->GetClientSize();
            std::vector<wxColour> column;
            for (int y = 0; y < size.y; ++y)
                column.push_back(
                    ScreenPixel(pGauge->ClientToScreen(wxPoint(size.x * 97 / 100, y))));
            nearEnd.push_back(column);
        });
    // Download, OK to the path, OK to the result, then Cancel closes it.
    m_watcher.SaveScreenshots(ArtifactPath("typeloom-download"));
    m_watcher.AnswerAndStay(IDC_DOWNLOAD);
    m_watcher.Answer(wxID_OK);
    m_watcher.Answer(wxID_OK);
    m_watcher.Answer(2);
    PressKeys('f', wxMOD_ALT);
    Settle();
    PressKeys('d');
    ASSERT_TRUE(
        PumpUntil([&] { return m_watcher.PendingAnswers() == 0; }, std::chrono::seconds(30)));

    const auto& seen = m_watcher.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].m_strKind, "dialog");
    EXPECT_EQ(seen[0].m_strCaption, "Dialog");
    EXPECT_EQ(seen[0].m_nPressed, 2);
    EXPECT_EQ(seen[1].m_strText, font.string()); // the path, before anything is touched
    EXPECT_EQ(seen[1].m_strIcon, "warning");
    EXPECT_EQ(seen[2].m_strText, "Download OK!");
    EXPECT_EQ(seen[2].m_strIcon, "info");
    EXPECT_EQ(seen[2].m_strCaption, "Typeloom");
    ASSERT_EQ(nearEnd.size(), 2u);
    EXPECT_NE(nearEnd[0], nearEnd[1]) << "the bar did not reach its end before the result";

    // The display got the file, announced as 8 x 16.
    const auto end = vfdsim.WaitForEvent("download-end", std::chrono::seconds(5));
    ASSERT_TRUE(end);
    EXPECT_EQ(end->Get("result"), "complete");
    EXPECT_EQ(vfdsim.SavedFont(), bytes);
    bool bHeader = false;
    for (const CJsonObject& entry : vfdsim.Transcript())
        if (entry.Get("kind") == "header")
        {
            bHeader = true;
            EXPECT_EQ(entry.GetInteger("width"), 8);
            EXPECT_EQ(entry.GetInteger("height"), 16);
            EXPECT_EQ(entry.GetInteger("file_length"), static_cast<long long>(bytes.size()));
        }
    EXPECT_TRUE(bHeader);
}

TEST_F(TypeloomDownload, TheDialogShowsThePathPortsAndAreaAndItsProgressBarMoves)
{
    const fs::path font = WriteFont("shown.fnt", MakeSampleFont(16, 16, 4));
    CWxDownloadDlg dialog(&Frame());
    dialog.m_dlg.m_strFilePath = font.string();
    dialog.Show();
    dialog.InitDialog();
    ASSERT_TRUE(PumpUntil([&] { return dialog.IsShownOnScreen(); }));
    Settle();
    EXPECT_EQ(dialog.GetClientSize(), dialog.ConvertDialogToPixels(wxSize(240, 142)));
    EXPECT_EQ(dialog.m_controls.GetText(IDC_FILE_PATH), font.string());
    EXPECT_EQ(dialog.m_controls.GetText(IDC_SERIAL_PORT), "COM1");
    EXPECT_EQ(dialog.m_controls.GetItems(IDC_SERIAL_PORT).size(), 9u);
    EXPECT_EQ(dialog.m_controls.GetText(IDC_FONT_AREA), "0");

    // The logic's bar reaches the gauge: range and position.
    dialog.m_dlg.m_progress.SetRange32(0, 4);
    dialog.m_dlg.m_progress.SetPos(3);
    auto* pGauge = dynamic_cast<wxGauge*>(FindControl(dialog, IDC_DOWNLOAD_PROGRESS));
    ASSERT_NE(pGauge, nullptr);
    EXPECT_EQ(pGauge->GetRange(), 4);
    EXPECT_EQ(pGauge->GetValue(), 3);
    // Shown at once, as the transfer runs without the event loop: the bar's
    // column at two thirds differs from the one at nine tenths.
    const wxSize gauge = pGauge->GetClientSize();
    bool bFilled = false;
    for (int y = 0; y < gauge.y && !bFilled; ++y)
        bFilled = ScreenPixel(pGauge->ClientToScreen(wxPoint(gauge.x * 2 / 3, y))) !=
                  ScreenPixel(pGauge->ClientToScreen(wxPoint(gauge.x * 9 / 10, y)));
    EXPECT_TRUE(bFilled);
    EXPECT_TRUE(SaveScreenshot(ArtifactPath("typeloom-download-dialog.png"), &dialog));

    // A font area that is no number keeps the dialog open on OK.
    dialog.m_controls.SetText(IDC_FONT_AREA, "x");
    m_watcher.Answer(wxID_OK);
    ClickControl(dialog, 1);
    ASSERT_EQ(m_watcher.Seen().size(), 1u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strText, "Please enter a positive integer.");
    EXPECT_TRUE(dialog.IsShown());
    dialog.Destroy();
}
