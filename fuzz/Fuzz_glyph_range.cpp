// vfdkit transform's --glyphs, and the transforms over whatever bytes a font file holds.
#include "GlyphTransform.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string strText(reinterpret_cast<const char*>(pData), nSize < 32 ? nSize : 32);
    const auto range = ParseGlyphRange(strText);
    if (range && range->first > range->second)
        __builtin_trap();
    if (nSize < 2)
        return 0;
    // Geometry and transform from the first bytes, the font from the rest.
    const unsigned nWidth = 8 * (1 + pData[0] % 4);
    const unsigned nHeight = 1 + pData[1] % 32;
    std::vector<std::uint8_t> font(pData + 2, pData + nSize);
    CGlyphTransform transform;
    transform.m_nShiftX = static_cast<int>(pData[0] >> 2) % 40 - 20;
    transform.m_nShiftY = static_cast<int>(pData[1] >> 5) - 4;
    transform.m_bFlipH = pData[0] & 0x40;
    transform.m_bFlipV = pData[0] & 0x80;
    transform.m_bBold = pData[1] & 0x20;
    transform.m_bInvert = true;
    TransformFont(font, nWidth, nHeight, range ? range->first : 0, range ? range->second : ~0u,
                  transform);
    return 0;
}
