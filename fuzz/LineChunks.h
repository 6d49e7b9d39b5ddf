#pragma once

// The line's bytes as the targets that hold state take them: chunks of a
// length byte (its low seven bits the count, its top bit: the line goes
// quiet after the chunk) and the bytes it covers. onChunk(pBytes, nCount,
// bQuiet) returns false to stop early.
#include <algorithm>
#include <cstddef>
#include <cstdint>

template <class OnChunk>
void ForEachChunk(const std::uint8_t* pData, std::size_t nSize, std::size_t nAt, OnChunk onChunk)
{
    while (nAt < nSize)
    {
        const std::uint8_t nHeader = pData[nAt++];
        const std::size_t nCount = std::min<std::size_t>(nHeader & 0x7F, nSize - nAt);
        if (!onChunk(pData + nAt, nCount, (nHeader & 0x80) != 0))
            return;
        nAt += nCount;
    }
}
