// Console fonts: the PSF 1 and 2 headers, bitmaps and Unicode tables.
#include "ConsoleFont.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string strError;
    const auto font =
        CConsoleFont::Parse(std::vector<std::uint8_t>(pData, pData + nSize), strError);
    if (!font)
        return 0;
    // Every dot of a few glyphs, through the table and around its edges.
    for (const char32_t c : {U'A', U'\u2591', U'\0', U'\U0010FFFF'})
    {
        const int nGlyph = font->GlyphOf(c);
        for (int y = -1; y <= font->Height(); ++y)
            for (int x = -1; x <= font->Width(); ++x)
                font->Dot(nGlyph, x, y);
    }
    font->Dot(static_cast<int>(font->GlyphCount()) - 1, 0, 0);
    return 0;
}
