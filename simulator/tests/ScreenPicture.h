#pragma once

#include "PixelCanvas.h"
#include "ScreenPainter.h"
#include "TempFolder.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include <zlib.h>

// vfdsim's screen picture read back for tests: the PNG as vfdsim writes
// it (8-bit RGB, no interlace, rows unfiltered), and the dots of a cell.
struct CScreenPicture
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<std::uint8_t> m_rgb;

    static std::optional<CScreenPicture> Read(const std::filesystem::path& path)
    {
        const std::string png = ReadWholeFile(path);
        if (png.size() < 8 || png.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0)
            return std::nullopt;
        auto be32 = [&](std::size_t n)
        {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(png[n])) << 24 |
                   static_cast<unsigned char>(png[n + 1]) << 16 |
                   static_cast<unsigned char>(png[n + 2]) << 8 |
                   static_cast<unsigned char>(png[n + 3]);
        };
        CScreenPicture picture;
        std::string idat;
        for (std::size_t nAt = 8; nAt + 12 <= png.size();)
        {
            const std::uint32_t nLength = be32(nAt);
            const std::string type = png.substr(nAt + 4, 4);
            if (nAt + 12 + nLength > png.size())
                return std::nullopt;
            if (type == "IHDR")
            {
                picture.m_nWidth = static_cast<int>(be32(nAt + 8));
                picture.m_nHeight = static_cast<int>(be32(nAt + 12));
                if (png[nAt + 16] != 8 || png[nAt + 17] != 2 || png[nAt + 20] != 0)
                    return std::nullopt;
            }
            else if (type == "IDAT")
                idat += png.substr(nAt + 8, nLength);
            nAt += 12 + nLength;
        }
        const std::size_t nStride = static_cast<std::size_t>(picture.m_nWidth) * 3 + 1;
        std::vector<std::uint8_t> raw(nStride * static_cast<std::size_t>(picture.m_nHeight));
        uLongf nRaw = raw.size();
        if (::uncompress(raw.data(), &nRaw, reinterpret_cast<const Bytef*>(idat.data()),
                         idat.size()) != Z_OK ||
            nRaw != raw.size())
            return std::nullopt;
        for (std::size_t y = 0; y < static_cast<std::size_t>(picture.m_nHeight); ++y)
        {
            if (raw[y * nStride] != 0)
                return std::nullopt;
            picture.m_rgb.insert(picture.m_rgb.end(), raw.begin() + y * nStride + 1,
                                 raw.begin() + (y + 1) * nStride);
        }
        return picture;
    }

    CRgb Pixel(int x, int y) const
    {
        const std::size_t n = (static_cast<std::size_t>(y) * m_nWidth + x) * 3;
        return {m_rgb[n], m_rgb[n + 1], m_rgb[n + 2]};
    }
    // Bit x of row y set where the cell's dot is lit (not the unlit colour).
    std::array<std::uint8_t, kCellDotsHigh> CellDots(int nRow, int nColumn) const
    {
        std::array<std::uint8_t, kCellDotsHigh> rows{};
        for (int y = 0; y < kCellDotsHigh; ++y)
            for (int x = 0; x < kCellDotsWide; ++x)
                if (!(Pixel(CScreenPainter::DotLeft(nColumn, x) + 1,
                            CScreenPainter::DotTop(nRow, y) + 1) == CScreenPainter::kUnlit))
                    rows[y] = static_cast<std::uint8_t>(rows[y] | (1u << x));
        return rows;
    }
};
