#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A PNG writer and reader on zlib: 8-bit RGB or RGBA, rows unfiltered and
// deflated at zlib's default level (a screen of flat colours shrinks about
// two hundredfold). The reader takes what this writer and common tools
// write (8-bit RGB or RGBA, any filter, no interlace), so tests compare
// pictures by their pixels rather than by their bytes.

// CRC-32 as PNG chunks use it (polynomial 0xEDB88320), continued from nCrc.
std::uint32_t Crc32(const std::uint8_t* pData, std::size_t nCount, std::uint32_t nCrc = 0);
// Adler-32 as the zlib stream uses it, continued from nAdler.
std::uint32_t Adler32(const std::uint8_t* pData, std::size_t nCount, std::uint32_t nAdler = 1);

// The PNG file of a width x height image given as rows of R, G, B bytes
// from the top.
std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, const std::uint8_t* pRgb);

// The same with an alpha byte after each pixel's R, G, B (0 transparent).
std::vector<std::uint8_t> EncodePngRgba(int nWidth, int nHeight, const std::uint8_t* pRgba);

// A PNG read back: nChannels 3 (RGB) or 4 (RGBA) bytes a pixel, rows from the top.
struct CDecodedPng
{
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nChannels = 0;
    std::vector<std::uint8_t> m_pixels;
};

// The image of a PNG file's bytes; nullopt, with the cause in pError, for
// anything else (a bad signature or checksum, other depths, interlace).
std::optional<CDecodedPng> DecodePng(const std::vector<std::uint8_t>& png,
                                     std::string* pError = nullptr);

// Writes the PNG to a file; false, with the cause in pError, when it cannot.
bool WritePng(const std::string& strPath, int nWidth, int nHeight, const std::uint8_t* pRgb,
              std::string* pError = nullptr);
