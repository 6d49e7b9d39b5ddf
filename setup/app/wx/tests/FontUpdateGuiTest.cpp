#include "TallyboardGuiSupport.h"

#include <fstream>

#include <wx/panel.h>

namespace
{
using TallyboardFontUpdateGui = CTallyboardGuiTest;
} // namespace

// One page of the international area: the library sends its frame, then
// pauses as the display stores it, and only then does the page report.
TEST_F(TallyboardFontUpdateGui, UpdateSinglePageSendsOneFontFrameAndSaysSo)
{
    Bytes font;
    for (int i = 0; i < 6 * 256; ++i)
        font.push_back(static_cast<std::uint8_t>(i * 7 + 3));
    const std::string strFont = m_dir / "shop font.dat";
    std::ofstream(strFont, std::ios::binary)
        .write(reinterpret_cast<const char*>(font.data()),
               static_cast<std::streamsize>(font.size()));
    WriteConnectionFile("VF510");

    RunSelectionWindow(
        [&](CSelectionWindow& selection)
        {
            ClickListItem(selection, 1001, 2);
            RunMainWindow(selection,
                          [&](CMainWindow& main)
                          {
                              ClickTab(main, 1);
                              wxPanel& page = main.FindPage(132)->Panel();
                              EXPECT_TRUE(PumpUntil([&] { return page.IsShown(); }));
                              m_watcher.Answer(wxID_OK, strFont);
                              ClickControl(page, 1007); // Browse
                              CWxControlAccess controls(page);
                              EXPECT_EQ(controls.GetText(1013), strFont);
                              controls.SetValue(1016, 0); // page "1"
                              Screenshot(main, "main-VF730-update-font-chosen");

                              m_watcher.Answer(wxID_OK);
                              const auto started = std::chrono::steady_clock::now();
                              ClickControl(page, 1009); // Update Single Page
                              EXPECT_GE(std::chrono::steady_clock::now() - started,
                                        std::chrono::milliseconds(3900));
                              // 1B 53, area 0's code 02, page 1, the file's first 256 bytes.
                              Bytes frame(260);
                              frame[0] = 0x1B;
                              frame[1] = 0x53;
                              frame[2] = 0x02;
                              frame[3] = 0x01;
                              std::copy(font.begin(), font.begin() + 256, frame.begin() + 4);
                              ExpectDisplayBytes(frame);
                              ChooseMenuItem(main, 0, 1); // Re-select Display
                              EXPECT_TRUE(PumpUntil([&] { return !main.IsRunning(); }));
                          });
            ClickControl(selection, kIdCancel);
        });
    ASSERT_EQ(m_watcher.Seen().size(), 2u);
    EXPECT_EQ(m_watcher.Seen()[0].m_strKind, "file");
    EXPECT_EQ(m_watcher.Seen()[0].m_filters,
              (std::vector<std::string>{"Dat Files *.dat", "Bin Files *.bin", "All Files(*.*)"}));
    EXPECT_EQ(m_watcher.Seen()[1].m_strText, "Download file single page complete!");
}
