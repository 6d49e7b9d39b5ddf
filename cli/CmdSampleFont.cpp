#include "AtomicFile.h"
#include "Command.h"
#include "File.h"
#include "GeometryOptions.h"
#include "SampleFont.h"

#include <iostream>

namespace
{
int RunSampleFont(CArguments& args);
} // namespace

extern const CCommand g_cmdSampleFont = {
    "sample-font",
    "Make a font file to try the tools with: ASCII drawn from a built-in 5 x 7 font.",
    "OUT [--width W] [--height H] [--glyphs N]",
    "Writes N glyphs (default 256, one page) of W x H into OUT, replacing it.\n"
    "The characters 0x20 to 0x7E are drawn from a small 5 x 7 font, scaled by\n"
    "whole pixels to the glyph (8 x 16: 5 x 14) and centred; the other glyphs\n"
    "are empty.",
    {kWidthOption, kHeightOption, {"glyphs", "N", "number of glyphs: 1 to 65536 (256)"}},
    1,
    1,
    RunSampleFont,
};

namespace
{
int RunSampleFont(CArguments& args)
{
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdSampleFont, kExitUsage, args.m_strError);
    const auto nGlyphs = args.GetInteger("glyphs", 1, 65536, 256);
    if (!nGlyphs)
        return Fail(g_cmdSampleFont, kExitUsage, args.m_strError);

    const auto font = MakeSampleFont(geometry->m_nWidth, geometry->m_nHeight,
                                     static_cast<std::uint32_t>(*nGlyphs));
    const std::string& strOut = args.m_positionals[0];
    std::string strError;
    if (!WriteFileAtomically(strOut, font.data(), font.size(), &strError))
        return Fail(g_cmdSampleFont, kExitFile, strError);
    std::cout << strOut << ": " << *nGlyphs << " glyphs of " << geometry->m_nWidth << " x "
              << geometry->m_nHeight << ", " << font.size() << " bytes\n";
    return kExitOk;
}
} // namespace
