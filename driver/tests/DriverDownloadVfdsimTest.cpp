// A single-page font download from the loaded library, received by vfdsim
// and used on its screen. Real time: the download's own pauses take 5 s.
#include "VfdsimFixture.h"

#include <fstream>

using Bytes = std::vector<std::uint8_t>;

namespace
{
// Glyph 0 is an "L" with a dot (8 x 16, column bytes in two bands); the
// others are filled with their number so a shifted page would show.
Bytes FontPage()
{
    Bytes page(256);
    for (std::size_t i = 16; i < page.size(); ++i)
        page[i] = static_cast<std::uint8_t>(i / 16);
    page[0] = 0xFF;
    page[8] = 0xFF;
    for (int x = 1; x < 8; ++x)
        page[8 + x] = 0x01;
    page[5] = 0x10;
    return page;
}

std::array<std::uint8_t, kCellDotsHigh> LDots()
{
    std::array<std::uint8_t, kCellDotsHigh> rows{};
    for (int y = 0; y < kCellDotsHigh; ++y)
        rows[y] = y == 15 ? 0xFF : y == 3 ? 0x21 : 0x01;
    return rows;
}

Bytes Paced(const std::string& strText)
{
    return Bytes(strText.begin(), strText.end());
}
} // namespace

TEST_F(DriverOnVfdsim, ASinglePageDownloadArrivesAsItsFrameAndItsGlyphsShow)
{
    const auto font = m_sim.Dir() / "font.bin";
    const Bytes page = FontPage();
    std::ofstream(font, std::ios::binary)
        .write(reinterpret_cast<const char*>(page.data()),
               static_cast<std::streamsize>(page.size()));

    auto* pfnOpen = Ordinal<decltype(OpenDComm)>(1);
    auto* pfnSend = Ordinal<decltype(SendDStr)>(2);
    auto* pfnSinglePage = Ordinal<decltype(DownLoadFileSinglePage)>(41);
    ASSERT_TRUE(pfnOpen && pfnSend && pfnSinglePage);
    ASSERT_EQ(pfnOpen(kPort, 0, 9600), 1);
    EXPECT_EQ(pfnSinglePage(font.c_str(), 1, 3), 1);

    Bytes expected = {0x1B, 0x52, 0x01, 0x0C};
    for (const Bytes& part :
         {Paced("Downloading..."), Bytes{0x1B, 0x53, 0x03, 0x03}, page, Bytes{0x0C},
          Paced("Download Complete!"), Bytes{0x1F, 0x45, 0x0A, 0x1F, 0x45, 0x00, 0x1B, 0x40}})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(m_sim.WaitForDisplayBytes(expected.size(), std::chrono::seconds(5)), expected);
    const auto frame = m_sim.WaitForEvent("font-page", std::chrono::seconds(1));
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->GetInteger("area"), 1);
    EXPECT_EQ(frame->GetInteger("page"), 3);
    EXPECT_EQ(frame->Get("codes"), "A0-AF");

    // The downloaded code table shows the page's first glyph for 0xA0.
    ASSERT_EQ(pfnSend("\x1B\x74\x0F\xA0", 4), 1);
    const auto screen =
        WaitForScreen([](const CJsonObject& entry) { return entry.GetInteger("user_cells") == 1; });
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Get("area1_pages"), "3");
    const auto dots = CVfdsimProcess::WaitFor(
        [&]() -> std::optional<std::array<std::uint8_t, kCellDotsHigh>>
        {
            const auto picture = CScreenPicture::Read(ScreenPngPath());
            if (!picture || picture->CellDots(0, 0) != LDots())
                return std::nullopt;
            return picture->CellDots(0, 0);
        },
        std::chrono::seconds(5));
    EXPECT_TRUE(dots) << "the picture does not show the downloaded glyph at line 1, column 1";
}
