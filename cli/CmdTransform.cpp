#include "Command.h"
#include "GeometryOptions.h"
#include "GlyphTransform.h"
#include "WholeFile.h"

#include <iostream>

namespace
{
int RunTransform(CArguments& args);

// 65,536 glyphs of the largest geometry are 8 MiB.
constexpr std::size_t kMaxFontBytes = 64u << 20;
} // namespace

extern const CCommand g_cmdTransform = {
    "transform",
    "Invert, flip, shift or embolden the glyphs of a font file.",
    "FONT OUT [--width W] [--height H] [--glyphs FIRST-LAST] [--invert] [--flip-h]\n"
    "       [--flip-v] [--shift-x N] [--shift-y N] [--bold]",
    "Reads FONT under the glyph geometry (default 16 x 16) and writes it to OUT\n"
    "with the chosen glyphs (all by default; 0x41-0x5A, 65, 0x80- to the end)\n"
    "changed, in this order: shift (right and down for positive N; dots pushed\n"
    "out are lost), flips, bold (every dot also lights its right neighbour),\n"
    "invert. The other glyphs and any bytes after the last whole glyph are\n"
    "copied unchanged. OUT may be FONT; it is written whole or not at all.",
    {kWidthOption,
     kHeightOption,
     {"glyphs", "FIRST-LAST", "the glyphs to change (all)"},
     {"invert", "", "lit dots dark, dark dots lit"},
     {"flip-h", "", "mirror left to right"},
     {"flip-v", "", "mirror top to bottom"},
     {"shift-x", "N", "move right by N dots (left when negative)"},
     {"shift-y", "N", "move down by N dots (up when negative)"},
     {"bold", "", "strokes one dot wider"}},
    2,
    2,
    RunTransform,
};

namespace
{
int RunTransform(CArguments& args)
{
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdTransform, kExitUsage, args.m_strError);
    CGlyphTransform transform;
    const auto nShiftX = args.GetInteger("shift-x", -32, 32, 0);
    const auto nShiftY = args.GetInteger("shift-y", -32, 32, 0);
    if (!nShiftX || !nShiftY)
        return Fail(g_cmdTransform, kExitUsage, args.m_strError);
    transform.m_nShiftX = static_cast<int>(*nShiftX);
    transform.m_nShiftY = static_cast<int>(*nShiftY);
    transform.m_bFlipH = args.Has("flip-h");
    transform.m_bFlipV = args.Has("flip-v");
    transform.m_bBold = args.Has("bold");
    transform.m_bInvert = args.Has("invert");
    if (!transform.m_nShiftX && !transform.m_nShiftY && !transform.m_bFlipH &&
        !transform.m_bFlipV && !transform.m_bBold && !transform.m_bInvert)
        return Fail(g_cmdTransform, kExitUsage,
                    "nothing to do: give --invert, --flip-h, --flip-v, --shift-x, --shift-y or "
                    "--bold");
    std::pair<std::uint32_t, std::uint32_t> range{0, 0xFFFFFFFF};
    if (const auto text = args.Get("glyphs"))
    {
        const auto parsed = ParseGlyphRange(*text);
        if (!parsed)
            return Fail(g_cmdTransform, kExitUsage,
                        "--glyphs must be FIRST-LAST, FIRST- or one glyph, not \"" + *text + "\"");
        range = *parsed;
    }

    const std::string& strFont = args.m_positionals[0];
    const std::string& strOut = args.m_positionals[1];
    std::string strError;
    auto font = ReadFileWhole(strFont, kMaxFontBytes, strError);
    if (!font)
        return Fail(g_cmdTransform, kExitFile, strError);
    const std::uint32_t nCount =
        GlyphCount(font->size(), GlyphBytes(geometry->m_nWidth, geometry->m_nHeight));
    if (range.first >= nCount)
        return Fail(g_cmdTransform, kExitUsage,
                    strFont + " has " + std::to_string(nCount) + " glyphs of " +
                        std::to_string(geometry->m_nWidth) + " x " +
                        std::to_string(geometry->m_nHeight) + ": no glyph " +
                        std::to_string(range.first));
    const std::uint32_t nChanged = TransformFont(*font, geometry->m_nWidth, geometry->m_nHeight,
                                                 range.first, range.second, transform);
    if (!WriteFileWhole(strOut, *font, strError))
        return Fail(g_cmdTransform, kExitFile, strError);
    std::cout << strOut << ": " << nChanged << " of " << nCount << " glyphs changed, "
              << font->size() << " bytes\n";
    return kExitOk;
}
} // namespace
