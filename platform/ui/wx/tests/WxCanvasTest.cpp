// The canvas on a real wx memory DC: the extents the custom controls rely on,
// pixel for pixel.

#include "WxCanvas.h"

#include "WxTesting.h"

#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/settings.h>

namespace
{
constexpr CRgb kRed{220, 0, 0};

// A white bitmap, painted by paint() through a CWxCanvas.
template <typename F>
wxImage Paint(int nWidth, int nHeight, F paint)
{
    wxBitmap bitmap(nWidth, nHeight, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        CWxCanvas canvas(dc);
        paint(canvas);
    }
    return bitmap.ConvertToImage();
}

CRgb Pixel(const wxImage& image, int x, int y)
{
    return CRgb{image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)};
}

// The columns (or rows) of a line that hold colour, at one position across it.
std::vector<int> Covered(const wxImage& image, bool bColumns, int nAt, CRgb colour)
{
    std::vector<int> covered;
    const int nCount = bColumns ? image.GetWidth() : image.GetHeight();
    for (int i = 0; i < nCount; ++i)
        if ((bColumns ? Pixel(image, i, nAt) : Pixel(image, nAt, i)) == colour)
            covered.push_back(i);
    return covered;
}
} // namespace

class WxCanvas : public CWxTest
{
};

TEST_F(WxCanvas, FillRectLeavesRightAndBottomEdgesOut)
{
    const wxImage image = Paint(20, 20, [](CCanvas& c) { c.FillRect(2, 3, 7, 9, kRed); });
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
        {
            const bool bInside = x >= 2 && x < 7 && y >= 3 && y < 9;
            EXPECT_EQ(Pixel(image, x, y), bInside ? kRed : kWhite) << x << "," << y;
        }

    // Empty and inverted rectangles paint nothing.
    const wxImage empty = Paint(10, 10,
                                [](CCanvas& c)
                                {
                                    c.FillRect(4, 4, 4, 8, kRed);
                                    c.FillRect(6, 6, 2, 2, kRed);
                                });
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(Pixel(empty, x, y), kWhite) << x << "," << y;
}

TEST_F(WxCanvas, LinesAreAsWideAsTheirPenAndStopBeforeTheEndPoint)
{
    const wxImage image = Paint(40, 40,
                                [](CCanvas& c)
                                {
                                    c.Line(10, 0, 10, 20, 1, kBlack); // vertical, one pixel
                                    c.Line(0, 30, 40, 30, 2, kRed);   // horizontal, two pixels
                                    c.Line(35, 5, 25, 5, 1, kBlack);  // drawn leftwards
                                    c.Line(20, 20, 20, 20, 3, kRed);  // no length, nothing drawn
                                });
    std::vector<int> rows = Covered(image, false, 10, kBlack);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front(), 0);
    EXPECT_EQ(rows.back(), 19);
    EXPECT_EQ(Covered(image, true, 12, kBlack), std::vector<int>{10});

    // A wider pen: the extra pixel goes before the line.
    EXPECT_EQ(Covered(image, false, 20, kRed), (std::vector<int>{29, 30}));
    EXPECT_EQ(Covered(image, true, 29, kRed).size(), 40u);

    std::vector<int> columns = Covered(image, true, 5, kBlack);
    EXPECT_EQ(columns.front(), 10); // the vertical line crosses row 5 too
    columns.erase(columns.begin());
    EXPECT_EQ(columns, (std::vector<int>{26, 27, 28, 29, 30, 31, 32, 33, 34, 35}));

    EXPECT_EQ(Pixel(image, 20, 20), kWhite);
    EXPECT_EQ(Pixel(image, 19, 19), kWhite);
}

TEST_F(WxCanvas, TextStartsAtItsTopLeftCornerOnAClearBackground)
{
    const wxImage image = Paint(80, 30,
                                [](CCanvas& c)
                                {
                                    c.FillRect(0, 0, 80, 30, kRed);
                                    c.Text(10, 8, "0100", kBlack);
                                });
    int nLeft = 80, nTop = 30, nDark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
        {
            const CRgb pixel = Pixel(image, x, y);
            // Anything but the red background is the text (edges blend).
            if (pixel == kRed)
                continue;
            ++nDark;
            nLeft = std::min(nLeft, x);
            nTop = std::min(nTop, y);
        }
    EXPECT_GT(nDark, 10);
    EXPECT_GE(nLeft, 10);
    EXPECT_LE(nLeft, 12);
    EXPECT_GE(nTop, 8);
    // The background around the glyphs stays as it was: no white box.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x)
            EXPECT_NE(Pixel(image, x, y), kWhite) << x << "," << y;
}

TEST_F(WxCanvas, SystemColoursAreTheDesktopsOwn)
{
    wxBitmap bitmap(1, 1, 24);
    wxMemoryDC dc(bitmap);
    const CWxCanvas canvas(dc);
    EXPECT_EQ(canvas.SystemColour(ESystemColour::ButtonShadow),
              FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    EXPECT_EQ(canvas.SystemColour(ESystemColour::Highlight),
              FromWxColour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    EXPECT_NE(canvas.SystemColour(ESystemColour::ButtonShadow),
              canvas.SystemColour(ESystemColour::Highlight));
}
