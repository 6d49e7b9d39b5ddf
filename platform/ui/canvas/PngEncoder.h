#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A PNG writer without dependencies: 8-bit RGB or RGBA, no filtering, the image data
// in stored (uncompressed) deflate blocks. Files are larger than a
// compressing writer's, and any viewer reads them.

// CRC-32 as PNG chunks use it (polynomial 0xEDB88320), continued from nCrc.
std::uint32_t Crc32(const std::uint8_t* pData, std::size_t nCount, std::uint32_t nCrc = 0);
// Adler-32 as the zlib stream uses it, continued from nAdler.
std::uint32_t Adler32(const std::uint8_t* pData, std::size_t nCount, std::uint32_t nAdler = 1);

// The PNG file of a width x height image given as rows of R, G, B bytes
// from the top.
std::vector<std::uint8_t> EncodePng(int nWidth, int nHeight, const std::uint8_t* pRgb);

// The same with an alpha byte after each pixel's R, G, B (0 transparent).
std::vector<std::uint8_t> EncodePngRgba(int nWidth, int nHeight, const std::uint8_t* pRgba);

// Writes the PNG to a file; false, with the cause in pError, when it cannot.
bool WritePng(const std::string& strPath, int nWidth, int nHeight, const std::uint8_t* pRgb,
              std::string* pError = nullptr);
