#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The editor's download frames. Every frame starts with 0x1B and holds its
// own total length in byte 1; numbers are little-endian.

inline constexpr std::uint8_t kFrameStart = 0x1B;
inline constexpr std::uint8_t kDownloadKey = 0x01;
inline constexpr std::size_t kHeaderFrameLength = 12;
inline constexpr std::size_t kMaxFrameData = 250;
inline constexpr std::size_t kReplyLength = 5;

// 1B 0C 01 01, area, file length (4 bytes), width, height, checksum.
std::vector<std::uint8_t> BuildHeaderFrame(std::uint32_t nArea, std::uint32_t nFileLength,
                                           int nWidth, int nHeight);
// 1B, n + 5, 01, sequence, n data bytes (n at most 250), checksum.
std::vector<std::uint8_t> BuildDataFrame(std::uint8_t nSequence, const std::uint8_t* pData,
                                         std::size_t nCount);
