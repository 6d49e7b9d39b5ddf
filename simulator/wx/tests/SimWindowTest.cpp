// vfdsim --window under a real X server: what the driver sends shows in the
// window's cells, dot for dot as in the same painter's PNG.
#include "ScaledCanvas.h"
#include "ScreenPicture.h"
#include "VfdsimProcess.h"

#include <cstdlib>
#include <thread>

#include <gtest/gtest.h>

namespace
{
using P = CScreenPainter;

// The whole screen, read back through ImageMagick as a binary PPM.
struct CScreenShot
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint8_t> m_rgb;

    static std::optional<CScreenShot> Take(const std::filesystem::path& path)
    {
        const std::string strCommand =
            "import -window root -depth 8 ppm:" + path.string() + " 2>/dev/null";
        if (std::system(strCommand.c_str()) != 0)
            return std::nullopt;
        std::ifstream in(path, std::ios::binary);
        std::string strMagic;
        int nMax = 0;
        CScreenShot shot;
        in >> strMagic >> shot.m_nWidth >> shot.m_nHeight >> nMax;
        in.get();
        if (strMagic != "P6" || nMax != 255)
            return std::nullopt;
        shot.m_rgb.resize(static_cast<std::size_t>(shot.m_nWidth) * shot.m_nHeight * 3);
        in.read(reinterpret_cast<char*>(shot.m_rgb.data()),
                static_cast<std::streamsize>(shot.m_rgb.size()));
        return in ? std::optional(shot) : std::nullopt;
    }
    CRgb Pixel(int x, int y) const
    {
        const std::uint8_t* p = &m_rgb[(static_cast<std::size_t>(y) * m_nWidth + x) * 3];
        return {p[0], p[1], p[2]};
    }
};

// The dots the window lights in each cell: the display view is the one
// area of glass on the screen, the picture fitted into it as the view does.
std::optional<std::vector<std::array<std::uint8_t, kCellDotsHigh>>>
WindowCells(const CScreenShot& shot)
{
    int nLeft = shot.m_nWidth, nTop = shot.m_nHeight, nRight = -1, nBottom = -1;
    for (int y = 0; y < shot.m_nHeight; ++y)
        for (int x = 0; x < shot.m_nWidth; ++x)
            if (shot.Pixel(x, y) == P::kGlass)
            {
                nLeft = std::min(nLeft, x);
                nTop = std::min(nTop, y);
                nRight = std::max(nRight, x + 1);
                nBottom = std::max(nBottom, y + 1);
            }
    if (nRight < 0)
        return std::nullopt;
    CPixelCanvas unused(1, 1);
    const auto fit =
        CScaledCanvas::Fitting(unused, nRight - nLeft, nBottom - nTop, P::kWidth, P::kHeight);
    std::vector<std::array<std::uint8_t, kCellDotsHigh>> cells;
    for (int nRow = 0; nRow < kDisplayRows; ++nRow)
        for (int nColumn = 0; nColumn < kDisplayColumns; ++nColumn)
        {
            std::array<std::uint8_t, kCellDotsHigh> rows{};
            for (int y = 0; y < kCellDotsHigh; ++y)
                for (int x = 0; x < kCellDotsWide; ++x)
                {
                    const int nX = nLeft + (fit.X(P::DotLeft(nColumn, x)) +
                                            fit.X(P::DotLeft(nColumn, x) + P::kDotSize)) /
                                               2;
                    const int nY =
                        nTop +
                        (fit.Y(P::DotTop(nRow, y)) + fit.Y(P::DotTop(nRow, y) + P::kDotSize)) / 2;
                    if (!(shot.Pixel(nX, nY) == P::kUnlit))
                        rows[y] |= 1 << x;
                }
            cells.push_back(rows);
        }
    return cells;
}

// vfdsim --window with its PNG, as COM1 for the driver.
struct SimWindow : ::testing::Test
{
    CVfdsimProcess m_sim;
    std::filesystem::path m_png = m_sim.Dir() / "screen.png";

    void SetUp() override
    {
        ASSERT_TRUE(m_sim.Start(1, {"--window", "--screen-png", m_png.string()}));
    }
    void TearDown() override { EXPECT_EQ(m_sim.Stop(), 0); }

    static void Call(const std::string& strArguments)
    {
        const std::string strCommand =
            std::string(VFDKIT_EXE) + " call --port 1 " + strArguments + " >/dev/null 2>&1";
        ASSERT_EQ(std::system(strCommand.c_str()), 0) << strArguments;
    }

    // The PNG once nLit cells show something, then the window's cells
    // against it until they all match or time is up.
    void ExpectWindowShowsThePicture(int nLit)
    {
        auto litCells = [](const CScreenPicture& p)
        {
            int n = 0;
            for (int i = 0; i < kDisplayRows * kDisplayColumns; ++i)
                n += p.CellDots(i / kDisplayColumns, i % kDisplayColumns) !=
                     std::array<std::uint8_t, kCellDotsHigh>{};
            return n;
        };
        const auto picture = CVfdsimProcess::WaitFor(
            [&]() -> std::optional<CScreenPicture>
            {
                auto read = CScreenPicture::Read(m_png);
                return read && litCells(*read) == nLit ? read : std::nullopt;
            },
            std::chrono::seconds(5));
        ASSERT_TRUE(picture) << "the picture never showed " << nLit << " cells";

        // The window may still be on its way to the screen: look again.
        int nMismatches = -1;
        for (int nTry = 0; nTry < 30 && nMismatches != 0; ++nTry)
        {
            if (nTry > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const auto shot = CScreenShot::Take(m_sim.Dir() / "shot.ppm");
            ASSERT_TRUE(shot) << "no screen shot (is ImageMagick there, and a display?)";
            const auto cells = WindowCells(*shot);
            if (!cells)
                continue;
            nMismatches = 0;
            for (int nRow = 0; nRow < kDisplayRows; ++nRow)
                for (int nColumn = 0; nColumn < kDisplayColumns; ++nColumn)
                {
                    auto expected = picture->CellDots(nRow, nColumn);
                    auto seen = (*cells)[nRow * kDisplayColumns + nColumn];
                    // The window marks the cursor's cell in its bottom row;
                    // the picture does not.
                    expected[kCellDotsHigh - 1] = seen[kCellDotsHigh - 1] = 0;
                    nMismatches += expected != seen;
                }
        }
        EXPECT_EQ(nMismatches, 0);
    }
};
} // namespace

TEST_F(SimWindow, TheDriversTextShowsInTheWindowsCellsAsInThePicture)
{
    Call("DisplayStrAt 'Window #7' 3");
    ExpectWindowShowsThePicture(8); // "Window #7" less its blank
}

TEST_F(SimWindow, ADownloadedFontShowsInTheWindowAsInThePicture)
{
    // Area 0 (codes 0x20 to 0x7F): every glyph a different stripe pattern,
    // nothing like the console font's letters.
    std::vector<char> font(1536);
    for (std::size_t i = 0; i < font.size(); ++i)
        font[i] = static_cast<char>((i / 16 * 37 + i % 16 * 11) | 0x81);
    const auto path = m_sim.Dir() / "stripes.fnt";
    std::ofstream(path, std::ios::binary)
        .write(font.data(), static_cast<std::streamsize>(font.size()));
    Call("DownLoadFile " + path.string() + " 0");
    Call("SendDStr hex:1B2501");
    Call("DisplayStrAt 'AZ09' 3");
    ExpectWindowShowsThePicture(4);
}
