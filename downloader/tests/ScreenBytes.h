#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <numeric>
#include <vector>

// The bytes a test screen run is expected to put on the line, written out
// independently of the dialog's own loop.

// The character codes nFirst to nLast.
inline std::vector<std::uint8_t> Codes(unsigned nFirst, unsigned nLast)
{
    std::vector<std::uint8_t> codes(nLast - nFirst + 1);
    std::iota(codes.begin(), codes.end(), static_cast<std::uint8_t>(nFirst));
    return codes;
}

// The prefix, a clear, then for each 40 codes a clear and the codes.
inline std::vector<std::uint8_t> ScreenBytes(std::initializer_list<std::uint8_t> prefix,
                                             unsigned nFirst, unsigned nLast)
{
    std::vector<std::uint8_t> bytes(prefix);
    bytes.push_back(0x0C);
    for (unsigned nCode = nFirst; nCode <= nLast; nCode += 40)
    {
        bytes.push_back(0x0C);
        const auto screen = Codes(nCode, std::min(nCode + 39, nLast));
        bytes.insert(bytes.end(), screen.begin(), screen.end());
    }
    return bytes;
}
