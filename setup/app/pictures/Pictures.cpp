#include "Pictures.h"

#include "DotFont.h"
#include "PngEncoder.h"
#include "Raster.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace
{
// The glow of the display's phosphor, and the faint dots that are off.
const CColour kPhosphor = Hex(0x5CF7CF);
const CColour kBluePhosphor = Hex(0x74E6FF);
const CColour kUnlitDot = Hex(0x5CF7CF, 0.07);
const CColour kSmallPrintLight = Hex(0x9AA1AA);
const CColour kSmallPrintDark = Hex(0x5E646C);

// The light backdrop the models stand on, with a soft shadow.
void Backdrop(CRaster& raster, double dLeft, double dTop, double dRight, double dBottom,
              double dRadius)
{
    const double w = raster.Width();
    const double h = raster.Height();
    raster.Fill(
        0, 0, w, h, [](double, double) { return true; },
        VerticalGradient(Hex(0xF5F5F3), Hex(0xEBEAE7), 0, h));
    for (int k = 3; k >= 1; --k)
        raster.Fill(0, 0, w, h,
                    RoundRect(dLeft - k * 0.7, dTop + 1.5 - k * 0.3, dRight + k * 0.7,
                              dBottom + 1 + k, dRadius + k),
                    Hex(0x000000, 0.06));
}

// Text in the 3 x 5 face, one pixel a dot.
void SmallPrint(CRaster& raster, double x, double y, const std::string& strText,
                const CColour& colour)
{
    for (const char c : strText)
    {
        const CSmallGlyph& glyph = SmallGlyph(c);
        for (int row = 0; row < 5; ++row)
            for (int col = 0; col < 3; ++col)
                if (glyph[static_cast<std::size_t>(row)] & (4 >> col))
                    raster.Fill(
                        x + col, y + row, x + col + 1, y + row + 1,
                        [](double, double) { return true; }, colour);
        x += 4;
    }
}

double SmallPrintWidth(const std::string& strText)
{
    return static_cast<double>(strText.size()) * 4.0 - 1;
}

// Two lines of 20 characters in the display's dot matrix: lit dots on the
// picture and on the light layer that glows, dark ones faintly.
void DotMatrix(CRaster& raster, CRaster& light, double x0, double y0, double dPitch,
               const std::string& strLine1, const std::string& strLine2, const CColour& lit)
{
    const std::string lines[] = {strLine1, strLine2};
    const double dDot = dPitch * 0.82;
    for (int nLine = 0; nLine < 2; ++nLine)
        for (int nChar = 0; nChar < 20; ++nChar)
        {
            const char c =
                nChar < static_cast<int>(lines[nLine].size()) ? lines[nLine][nChar] : ' ';
            const CDotGlyph& glyph = DotGlyph(c);
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                {
                    const double x = x0 + (nChar * 6 + col) * dPitch;
                    const double y = y0 + (nLine * 9 + row) * dPitch;
                    const auto dot = RoundRect(x, y, x + dDot, y + dDot, dDot * 0.35);
                    const bool bLit = glyph[static_cast<std::size_t>(row)] & (16 >> col);
                    raster.Fill(x - 1, y - 1, x + dDot + 1, y + dDot + 1, dot,
                                bLit ? lit : kUnlitDot);
                    if (bLit)
                        light.Fill(x - 1, y - 1, x + dDot + 1, y + dDot + 1, dot, lit);
                }
        }
}

// A display window: a dark recess and the glass in it, with a faint
// reflection across its upper part.
void Glass(CRaster& raster, double dLeft, double dTop, double dRight, double dBottom,
           std::uint32_t nTop, std::uint32_t nBottom)
{
    raster.Fill(dLeft - 2, dTop - 2, dRight + 2, dBottom + 2,
                RoundRect(dLeft - 2, dTop - 2, dRight + 2, dBottom + 2, 3), Hex(0x0A0B0D));
    raster.Fill(dLeft, dTop, dRight, dBottom, RoundRect(dLeft, dTop, dRight, dBottom, 2),
                VerticalGradient(Hex(nTop), Hex(nBottom), dTop, dBottom));
    const double dMid = dTop + (dBottom - dTop) * 0.45;
    raster.Fill(dLeft, dTop, dRight, dBottom,
                Polygon({{dLeft, dTop}, {dRight, dTop}, {dRight, dTop + 3}, {dLeft, dMid}}),
                Hex(0xFFFFFF, 0.035));
}

void Body(CRaster& raster, double dLeft, double dTop, double dRight, double dBottom, double dRadius,
          std::uint32_t nEdge, std::uint32_t nTop, std::uint32_t nBottom)
{
    raster.Fill(dLeft, dTop, dRight, dBottom, RoundRect(dLeft, dTop, dRight, dBottom, dRadius),
                Hex(nEdge));
    raster.Fill(dLeft, dTop, dRight, dBottom,
                RoundRect(dLeft + 1, dTop + 1, dRight - 1, dBottom - 1, dRadius - 1),
                VerticalGradient(Hex(nTop), Hex(nBottom), dTop, dBottom));
    // The top edge catches the light.
    raster.Fill(dLeft, dTop, dRight, dTop + 3,
                Minus(RoundRect(dLeft + 1, dTop + 1, dRight - 1, dBottom - 1, dRadius - 1),
                      RoundRect(dLeft + 1, dTop + 2, dRight - 1, dBottom, dRadius - 1)),
                Hex(0xFFFFFF, 0.25));
}

std::vector<std::uint8_t> Opaque(const CRaster& raster)
{
    const auto rgb = raster.Rgb(Hex(0xFFFFFF));
    return EncodePng(raster.Width(), raster.Height(), rgb.data());
}

// VF620: a black two-line display of 20 characters.
std::vector<std::uint8_t> PreviewVF620(int w, int h)
{
    CRaster raster(w, h);
    CRaster light(w, h);
    Backdrop(raster, 5, 3, w - 5, h - 5, 7);
    Body(raster, 5, 3, w - 5, h - 5, 7, 0x0F1012, 0x45484E, 0x1C1E22);
    Glass(raster, 15, 11, w - 15, h - 15, 0x0B1815, 0x040A09);
    DotMatrix(raster, light, 21.1, 15.6, 1.9, "WELCOME TO OUR STORE", "TOTAL:        $12.50",
              kPhosphor);
    SmallPrint(raster, w - 12 - SmallPrintWidth("VF620"), h - 12, "VF620", kSmallPrintLight);
    raster.AddGlow(light, 1.6, 0.8);
    return Opaque(raster);
}

// VF730/VF730E: the same display in a light housing, with a bluer glow.
std::vector<std::uint8_t> PreviewVF730(int w, int h)
{
    CRaster raster(w, h);
    CRaster light(w, h);
    Backdrop(raster, 5, 3, w - 5, h - 5, 8);
    Body(raster, 5, 3, w - 5, h - 5, 8, 0x8E949C, 0xF4F5F7, 0xC6CAD0);
    Glass(raster, 16, 12, w - 16, h - 20, 0x08161A, 0x03090B);
    DotMatrix(raster, light, 21.1, 18.2, 1.9, "     THANK YOU!     ", "CHANGE         $7.50",
              kBluePhosphor);
    SmallPrint(raster, 16, h - 14, "VF730/VF730E", kSmallPrintDark);
    raster.AddGlow(light, 1.6, 0.8);
    return Opaque(raster);
}

// One seven-segment digit, slanted a little, in the box from (x, y), with
// the segments of nMask lit (bit 0 = a, the top, round to bit 6 = g, the
// middle) and its decimal point when bPoint.
void SevenSegments(CRaster& raster, CRaster& light, double x, double y, double w, double h,
                   int nMask, bool bPoint, const CColour& lit)
{
    const double t = 2.8;  // segment thickness
    const double s = 0.12; // slant
    const double dMid = y + h / 2;
    auto at = [&](double px, double py) { return std::make_pair(px - s * (py - dMid), py); };
    auto horizontal = [&](double yc)
    {
        const double l = x + 1.2, r = x + w - 1.2;
        return Polygon({at(l, yc), at(l + t / 2, yc - t / 2), at(r - t / 2, yc - t / 2), at(r, yc),
                        at(r - t / 2, yc + t / 2), at(l + t / 2, yc + t / 2)});
    };
    auto vertical = [&](double xc, double y0, double y1)
    {
        return Polygon({at(xc, y0 + 1.2), at(xc + t / 2, y0 + 1.2 + t / 2),
                        at(xc + t / 2, y1 - 1.2 - t / 2), at(xc, y1 - 1.2),
                        at(xc - t / 2, y1 - 1.2 - t / 2), at(xc - t / 2, y0 + 1.2 + t / 2)});
    };
    const double l = x + t / 2, r = x + w - t / 2;
    const double top = y + t / 2, bottom = y + h - t / 2;
    const CRaster::Inside segments[] = {horizontal(top),           vertical(r, top, dMid),
                                        vertical(r, dMid, bottom), horizontal(bottom),
                                        vertical(l, dMid, bottom), vertical(l, top, dMid),
                                        horizontal(dMid)};
    for (int i = 0; i < 7; ++i)
    {
        const bool bLit = nMask & (1 << i);
        raster.Fill(x - 4, y - 1, x + w + 4, y + h + 1, segments[i],
                    bLit ? lit : Hex(0x5CF7CF, 0.06));
        if (bLit)
            light.Fill(x - 4, y - 1, x + w + 4, y + h + 1, segments[i], lit);
    }
    const auto point = Circle(x + w + 2.6 - s * (bottom - dMid), bottom, 1.6);
    raster.Fill(x + w - 4, bottom - 3, x + w + 6, bottom + 3, point,
                bPoint ? lit : Hex(0x5CF7CF, 0.06));
    if (bPoint)
        light.Fill(x + w - 4, bottom - 3, x + w + 6, bottom + 3, point, lit);
}

// VF510: one line of ten seven-segment digits with indicators for the
// unit price, total, payment and change.
std::vector<std::uint8_t> PreviewVF510(int w, int h)
{
    CRaster raster(w, h);
    CRaster light(w, h);
    Backdrop(raster, 5, 3, w - 5, h - 5, 7);
    Body(raster, 5, 3, w - 5, h - 5, 7, 0x0E1117, 0x34404E, 0x161C24);
    Glass(raster, 14, 10, w - 14, h - 19, 0x0A1815, 0x040A09);

    // Segment masks of the digits, bit 0 = a ... bit 6 = g.
    constexpr int kDigits[] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const std::string strShown = "      1250"; // 12.50, the point after the 2
    for (int i = 0; i < 10; ++i)
    {
        const char c = strShown[static_cast<std::size_t>(i)];
        const int nMask = c == ' ' ? 0 : kDigits[c - '0'];
        SevenSegments(raster, light, 24 + i * 22.0, 15, 14, 25, nMask, i == 7, kPhosphor);
    }
    // The indicators: a triangle in the glass above each printed name.
    const char* names[] = {"U.P.", "TOTAL", "PAY", "CHANGE"};
    for (int i = 0; i < 4; ++i)
    {
        const double cx = 44 + i * 60.0;
        const auto triangle = Polygon({{cx - 3.5, h - 27.5}, {cx + 3.5, h - 27.5}, {cx, h - 23.5}});
        const bool bLit = i == 1;
        raster.Fill(cx - 5, h - 29, cx + 5, h - 22, triangle, bLit ? kPhosphor : kUnlitDot);
        if (bLit)
            light.Fill(cx - 5, h - 29, cx + 5, h - 22, triangle, kPhosphor);
        SmallPrint(raster, std::round(cx - SmallPrintWidth(names[i]) / 2), h - 15, names[i],
                   kSmallPrintLight);
    }
    raster.AddGlow(light, 1.7, 0.9);
    return Opaque(raster);
}

// Icons are drawn on a 16-unit grid and scaled to their size.
using Draw = std::function<void(CRaster&, double)>;

std::vector<std::uint8_t> Icon(int nSize, bool bDisabled, const Draw& draw)
{
    CRaster raster(nSize, nSize, 8);
    draw(raster, nSize / 16.0);
    if (bDisabled)
        raster.Fade(0.6);
    const auto rgba = raster.Rgba();
    return EncodePngRgba(nSize, nSize, rgba.data());
}

// In icon units.
void Shape(CRaster& raster, double u, const CRaster::Inside& inside, const CRaster::Paint& paint)
{
    const double n = raster.Width();
    raster.Fill(
        0, 0, n, n, [&](double x, double y) { return inside(x / u, y / u); },
        [&](double x, double y) { return paint(x / u, y / u); });
}

void Shape(CRaster& raster, double u, const CRaster::Inside& inside, const CColour& colour)
{
    Shape(raster, u, inside, [colour](double, double) { return colour; });
}

// The application: a pole display on its stand, two lines lit.
void DrawApplication(CRaster& r, double u)
{
    Shape(r, u, Ellipse(8, 14.6, 4.6, 1.2),
          VerticalGradient(Hex(0x7A828C), Hex(0x4E555D), 13.4, 15.8));
    Shape(r, u, RoundRect(7.2, 9.5, 8.8, 14.6, 0.5),
          [](double x, double) { return Mix(Hex(0xB5BDC6), Hex(0x6A727B), (x - 7.2) / 1.6); });
    Shape(r, u, RoundRect(0.6, 2.2, 15.4, 10.6, 1.6), Hex(0x15171A));
    Shape(r, u, RoundRect(1.1, 2.7, 14.9, 10.1, 1.2),
          VerticalGradient(Hex(0x50555E), Hex(0x24272C), 2.7, 10.1));
    Shape(r, u, RoundRect(2.1, 3.7, 13.9, 9.1, 0.6),
          VerticalGradient(Hex(0x0C1A17), Hex(0x030807), 3.7, 9.1));
    CRaster light(r.Width(), r.Height(), 8);
    const double bars[][3] = {
        {3.0, 4.8, 6.4}, {7.2, 4.8, 9.6}, {10.4, 4.8, 13.0}, {3.0, 7.0, 5.2}, {8.2, 7.0, 13.0}};
    for (const auto& bar : bars)
    {
        const auto inside = RoundRect(bar[0], bar[1], bar[2], bar[1] + 1.1, 0.3);
        Shape(r, u, inside, kPhosphor);
        Shape(light, u, inside, kPhosphor);
    }
    r.AddGlow(light, u * 0.5, 0.5);
}

void DrawOpen(CRaster& r, double u)
{
    Shape(r, u, Polygon({{1, 2.5}, {5.6, 2.5}, {7, 4}, {14.5, 4}, {14.5, 13.5}, {1, 13.5}}),
          Hex(0xA8700F));
    Shape(r, u, Polygon({{1.7, 3.2}, {5.3, 3.2}, {6.7, 4.7}, {13.8, 4.7}, {13.8, 13}, {1.7, 13}}),
          VerticalGradient(Hex(0xE2A53A), Hex(0xC98A1C), 3, 13));
    Shape(r, u, RoundRect(3.2, 5.6, 12.6, 11, 0.4), Hex(0xC9CCD0));
    Shape(r, u, RoundRect(3.7, 6.1, 12.1, 11, 0.3), Hex(0xFCFCFC));
    Shape(r, u, Polygon({{0.6, 13.6}, {3, 7.4}, {15.6, 7.4}, {13.4, 13.6}}), Hex(0xA8700F));
    Shape(r, u, Polygon({{1.5, 13}, {3.6, 8.1}, {14.6, 8.1}, {12.9, 13}}),
          VerticalGradient(Hex(0xFFD873), Hex(0xF0B23A), 8, 13));
}

void DrawSave(CRaster& r, double u)
{
    Shape(r, u, Polygon({{1, 1}, {12.6, 1}, {15, 3.4}, {15, 15}, {1, 15}}), Hex(0x1C3F73));
    Shape(r, u, Polygon({{1.7, 1.7}, {12.3, 1.7}, {14.3, 3.7}, {14.3, 14.3}, {1.7, 14.3}}),
          VerticalGradient(Hex(0x4A7FCB), Hex(0x2A5597), 1.7, 14.3));
    Shape(r, u, RoundRect(4, 1.7, 11.6, 6.2, 0.3),
          VerticalGradient(Hex(0xE4E9F0), Hex(0xB9C3D0), 1.7, 6.2));
    Shape(r, u, RoundRect(9, 2.6, 10.6, 5.4, 0.2), Hex(0x2A5597));
    Shape(r, u, RoundRect(3.4, 8.4, 12.6, 14.3, 0.6), Hex(0xFFFFFF));
    Shape(r, u, RoundRect(4.6, 10, 11.4, 10.8, 0.2), Hex(0xB4BFCC));
    Shape(r, u, RoundRect(4.6, 12, 11.4, 12.8, 0.2), Hex(0xB4BFCC));
}

void DrawFirmware(CRaster& r, double u)
{
    for (double p : {5.0, 7.5, 10.0})
    {
        Shape(r, u, RoundRect(p, 1, p + 1.2, 3.5, 0.2), Hex(0xA9B0B8));
        Shape(r, u, RoundRect(p, 12.5, p + 1.2, 15, 0.2), Hex(0xA9B0B8));
        Shape(r, u, RoundRect(1, p, 3.5, p + 1.2, 0.2), Hex(0xA9B0B8));
        Shape(r, u, RoundRect(12.5, p, 15, p + 1.2, 0.2), Hex(0xA9B0B8));
    }
    Shape(r, u, RoundRect(3, 3, 13, 13, 1.2), Hex(0x1E2125));
    Shape(r, u, RoundRect(3.6, 3.6, 12.4, 12.4, 0.8),
          VerticalGradient(Hex(0x555B63), Hex(0x2F3338), 3.6, 12.4));
    Shape(r, u, Circle(5.4, 5.4, 0.7), Hex(0x7D848D));
    // The arrow: up, in green, edged in white so it stands off the chip.
    const std::vector<std::pair<double, double>> arrow{
        {11.9, 5.4}, {15.6, 9.4}, {13.4, 9.4}, {13.4, 15.2}, {10.4, 15.2}, {10.4, 9.4}, {8.2, 9.4}};
    Shape(r, u,
          Polygon({{11.9, 4.2}, {16, 9.9}, {14, 9.9}, {14, 16}, {9.8, 16}, {9.8, 9.9}, {7.8, 9.9}}),
          Hex(0xFFFFFF));
    Shape(r, u, Polygon(arrow), VerticalGradient(Hex(0x4CC26B), Hex(0x218B40), 5.4, 15.2));
}

void Badge(CRaster& r, double u, std::uint32_t nRim, std::uint32_t nTop, std::uint32_t nBottom)
{
    Shape(r, u, Circle(8, 8, 7.4), Hex(nRim));
    Shape(r, u, Circle(8, 8, 6.7), VerticalGradient(Hex(nTop), Hex(nBottom), 1.3, 14.7));
    Shape(r, u, Ellipse(8, 4.9, 4.6, 2.9), Hex(0xFFFFFF, 0.16));
}

void DrawInformation(CRaster& r, double u)
{
    Badge(r, u, 0x17499A, 0x5AA6F5, 0x1F63C6);
    Shape(r, u, Circle(8, 4.6, 1.25), Hex(0xFFFFFF));
    Shape(r, u, RoundRect(6.9, 6.6, 9.1, 12.4, 0.6), Hex(0xFFFFFF));
}

void DrawHelp(CRaster& r, double u)
{
    Badge(r, u, 0x17499A, 0x5AA6F5, 0x1F63C6);
    Shape(r, u, Arc(8, 6, 1.35, 3.25, 275, 165), Hex(0xFFFFFF));
    Shape(r, u, RoundRect(7.05, 7.9, 8.95, 10.2, 0.45), Hex(0xFFFFFF));
    Shape(r, u, Circle(8, 12.2, 1.15), Hex(0xFFFFFF));
}

const Draw* DrawingOf(const std::string& strName)
{
    static const std::pair<const char*, Draw> drawings[] = {
        {"open", DrawOpen},         {"save", DrawSave},
        {"firmware", DrawFirmware}, {"information", DrawInformation},
        {"help", DrawHelp},         {"tallyboard", DrawApplication}};
    for (const auto& [pszName, draw] : drawings)
        if (strName == pszName)
            return &draw;
    return nullptr;
}
} // namespace

const std::vector<CPicture>& ProgramPictures()
{
    static const std::vector<CPicture> pictures{
        {128, "tallyboard.png", 48, 48, true},  {137, "help_disabled.png", 16, 16, true},
        {138, "help.png", 16, 16, true},        {139, "information_disabled.png", 16, 16, true},
        {140, "information.png", 16, 16, true}, {141, "open_disabled.png", 16, 16, true},
        {142, "open.png", 16, 16, true},        {143, "save_disabled.png", 16, 16, true},
        {144, "save.png", 16, 16, true},        {145, "firmware_disabled.png", 16, 16, true},
        {146, "firmware.png", 16, 16, true},    {161, "vf510.png", 268, 76, false},
        {162, "vf620.png", 268, 71, false},     {163, "vf730.png", 268, 78, false},
    };
    return pictures;
}

std::vector<std::uint8_t> RenderPicture(const CPicture& picture)
{
    const std::string strName = picture.m_strFile.substr(0, picture.m_strFile.find('.'));
    if (strName == "vf510")
        return PreviewVF510(picture.m_nWidth, picture.m_nHeight);
    if (strName == "vf620")
        return PreviewVF620(picture.m_nWidth, picture.m_nHeight);
    if (strName == "vf730")
        return PreviewVF730(picture.m_nWidth, picture.m_nHeight);
    const std::string strSuffix = "_disabled";
    const bool bDisabled = strName.ends_with(strSuffix);
    const std::string strBase =
        bDisabled ? strName.substr(0, strName.size() - strSuffix.size()) : strName;
    if (const Draw* pDraw = DrawingOf(strBase))
        return Icon(picture.m_nWidth, bDisabled, *pDraw);
    throw std::invalid_argument("no drawing for " + picture.m_strFile);
}
