// Paints the glyph grid and the character map into PNG files, to look at
// what they draw without a window:
//
//   render_controls OUTDIR                       a made-up font in several geometries
//   render_controls OUTDIR FONT W H [PAGE [CELL]] one page of a font file
#include "CharMap.h"
#include "FakeControlHost.h"
#include "File.h"
#include "GlyphGrid.h"
#include "PixelCanvas.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace
{
// The grid's client area on a form at the usual dialog-unit size.
constexpr CClientSize kGridClient{384, 385};

bool Save(const CPixelCanvas& canvas, const std::string& strPath)
{
    std::string strError;
    if (!canvas.WritePng(strPath, &strError))
    {
        std::cerr << "render_controls: " << strError << "\n";
        return false;
    }
    std::cout << strPath << "\n";
    return true;
}

// Glyph c of the made-up font: a frame, a diagonal and the code's low byte as
// a row of pixels, so that every cell differs and the edges show.
void MakeGlyph(const CGlyph& geometry, unsigned nCode, std::uint8_t* pBits)
{
    const unsigned w = geometry.m_nWidth, h = geometry.m_nHeight;
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x)
        {
            const bool bFrame = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const bool bDiagonal = x * h == y * w;
            const bool bCode = y == h / 2 && x >= 1 && x <= 8 && (nCode >> (8 - x) & 1);
            geometry.SetPixel(x, y, bFrame || bDiagonal || bCode, pBits);
        }
}

bool Render(const std::string& strDir, const std::string& strName, CCharMap& map, CGlyphGrid& grid)
{
    CPixelCanvas mapCanvas(CCharMap::kWidth, CCharMap::kHeight);
    map.OnPaint(mapCanvas);
    CPixelCanvas gridCanvas(kGridClient.m_nWidth, kGridClient.m_nHeight);
    grid.OnPaint(gridCanvas);
    return Save(mapCanvas, strDir + "/map-" + strName + ".png") &&
           Save(gridCanvas, strDir + "/grid-" + strName + ".png");
}

int RenderMadeUp(const std::string& strDir)
{
    const unsigned geometries[][2] = {{8, 8}, {16, 16}, {8, 16}, {16, 12}, {24, 24}, {32, 32}};
    for (const auto& g : geometries)
    {
        CRecordingMessageTarget parent;
        CFakeControlHost mapHost{{CCharMap::kWidth, CCharMap::kHeight}}, gridHost{kGridClient};
        CCharMap map(mapHost, parent);
        CGlyphGrid grid(gridHost, parent);
        map.SetGlyphSize(g[0], g[1]);
        grid.SetGlyphSize(g[0], g[1]);
        map.m_nFirstCode = 0x100;
        for (int cell = 0; cell < 256; ++cell)
            MakeGlyph(map.m_glyph, 0x100 + static_cast<unsigned>(cell),
                      map.GetCell(cell % 16, cell / 16));
        map.m_changed[0x21] = map.m_changed[0x22] = map.m_changed[0xF0] = 1;
        map.m_nSelCol = 2;
        map.m_nSelRow = 2;
        grid.LoadGlyph(0x122, map.GetCell(2, 2));
        const std::string strName = std::to_string(g[0]) + "x" + std::to_string(g[1]);
        if (!Render(strDir, strName, map, grid))
            return 1;
    }
    return 0;
}

int RenderFont(const std::string& strDir, const std::string& strFont, unsigned w, unsigned h,
               unsigned nPage, unsigned nCell)
{
    CRecordingMessageTarget parent;
    CFakeControlHost mapHost{{CCharMap::kWidth, CCharMap::kHeight}}, gridHost{kGridClient};
    CCharMap map(mapHost, parent);
    CGlyphGrid grid(gridHost, parent);
    map.SetGlyphSize(w, h);
    grid.SetGlyphSize(w, h);
    map.m_nFirstCode = nPage * 256;
    CFile file;
    if (!file.Open(strFont, CFile::EMode::Read) ||
        !file.Seek(std::uint64_t{map.m_nFirstCode} * map.m_glyph.Bytes()) ||
        file.Read(map.m_pageBits.data(), 256u * map.m_glyph.Bytes()) < 0)
    {
        std::cerr << "render_controls: " << file.GetLastError() << "\n";
        return 1;
    }
    map.m_nSelCol = static_cast<int>(nCell % 16);
    map.m_nSelRow = static_cast<int>(nCell / 16 % 16);
    grid.LoadGlyph(map.m_nFirstCode + nCell, map.GetCell(map.m_nSelCol, map.m_nSelRow));
    return Render(strDir, "font", map, grid) ? 0 : 1;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc == 2)
        return RenderMadeUp(argv[1]);
    if (argc >= 5 && argc <= 7)
    {
        const unsigned w = static_cast<unsigned>(std::atoi(argv[3]));
        const unsigned h = static_cast<unsigned>(std::atoi(argv[4]));
        const unsigned nPage = argc > 5 ? static_cast<unsigned>(std::atoi(argv[5])) : 0;
        const unsigned nCell = argc > 6 ? static_cast<unsigned>(std::atoi(argv[6])) : 0;
        if ((w == 8 || w == 16 || w == 24 || w == 32) && h >= 1 && h <= 32 && nCell < 256)
            return RenderFont(argv[1], argv[2], w, h, nPage, nCell);
    }
    std::cerr << "Usage: render_controls OUTDIR [FONT W H [PAGE [CELL]]]\n";
    return 2;
}
