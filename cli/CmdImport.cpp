#include "Command.h"
#include "FontImport.h"
#include "GeometryOptions.h"
#include "WholeFile.h"

#include <iostream>
#include <sstream>

namespace
{
int RunImport(CArguments& args);
} // namespace

extern const CCommand g_cmdImport = {
    "import",
    "Make a font file from a PSF, BDF, PCF, TrueType or OpenType font.",
    "SRC OUT [--width W] [--height H] [--first G] [--count N] [--from C] [--map CODEPAGE]\n"
    "       [--baseline R] [--left X] [--center] [--size PX] [--threshold T]",
    "Glyphs G to G + N - 1 of OUT receive the source's characters C, C + 1, ...\n"
    "(C is G by default; a Unicode font's codes are Unicode characters). With\n"
    "--map, glyph g receives the character the code page puts at byte g instead.\n"
    "Glyphs before G stay blank; OUT ends after the last glyph. Outline fonts\n"
    "are rendered at PX pixels (default: the largest size whose lines fit the\n"
    "height), a dot lit where its coverage reaches T of 255; bitmap fonts keep\n"
    "their own dots. The baseline lies under cell row R (default the font's\n"
    "ascent), the pen at column X (default 0); --center centres each glyph's\n"
    "advance and the font's line in the cell. Dots outside the cell are cut off\n"
    "and reported; characters the source lacks leave their glyph blank. SRC may\n"
    "be gzip-compressed. OUT is written whole or not at all.",
    {kWidthOption,
     kHeightOption,
     {"first", "G", "first glyph to import (0)"},
     {"count", "N", "glyphs to import (256 - G)"},
     {"from", "C", "source code for glyph G (G)"},
     {"map", "CODEPAGE", "glyph g takes the code page's character g (iconv name: CP437)"},
     {"baseline", "R", "cell row under the baseline (the font's ascent)"},
     {"left", "X", "cell column of the pen position (0)"},
     {"center", "", "centre glyphs across the cell and the line down it"},
     {"size", "PX", "pixel size of an outline font: 1 to 256 (fit the height)"},
     {"threshold", "T", "coverage lighting a dot of an outline: 1 to 255 (128)"}},
    2,
    2,
    RunImport,
};

namespace
{
std::string Codes(const std::vector<std::uint32_t>& glyphs)
{
    constexpr std::size_t kShown = 12;
    std::ostringstream out;
    out << std::hex << std::uppercase;
    for (std::size_t i = 0; i < glyphs.size() && i < kShown; ++i)
        out << (i ? " " : "") << "0x" << glyphs[i];
    if (glyphs.size() > kShown)
        out << " ...";
    return out.str();
}

int RunImport(CArguments& args)
{
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdImport, kExitUsage, args.m_strError);
    CImportOptions options;
    options.m_nWidth = geometry->m_nWidth;
    options.m_nHeight = geometry->m_nHeight;
    const auto nFirst = args.GetInteger("first", 0, 65535, 0);
    if (!nFirst)
        return Fail(g_cmdImport, kExitUsage, args.m_strError);
    const auto nCount =
        args.GetInteger("count", 1, 65536 - *nFirst, std::max<long long>(256 - *nFirst, 1));
    const auto nFrom = args.GetInteger("from", 0, 0x10FFFF, *nFirst);
    const auto nBaseline = args.GetInteger("baseline", -64, 96, 0);
    const auto nLeft = args.GetInteger("left", -64, 64, 0);
    const auto nSize = args.GetInteger("size", 1, 256, 0);
    const auto nThreshold = args.GetInteger("threshold", 1, 255, 128);
    if (!nCount || !nFrom || !nBaseline || !nLeft || !nSize || !nThreshold)
        return Fail(g_cmdImport, kExitUsage, args.m_strError);
    options.m_nFirst = static_cast<std::uint32_t>(*nFirst);
    options.m_nCount = static_cast<std::uint32_t>(*nCount);
    options.m_nFromCode = static_cast<std::uint32_t>(*nFrom);
    if (args.Has("baseline"))
        options.m_nBaseline = static_cast<int>(*nBaseline);
    if (args.Has("left"))
        options.m_nLeft = static_cast<int>(*nLeft);
    options.m_bCenter = args.Has("center");
    options.m_strCodePage = args.Get("map").value_or("");

    const std::string& strSource = args.m_positionals[0];
    const std::string& strOut = args.m_positionals[1];
    CSourceOptions sourceOptions;
    sourceOptions.m_nPixelSize = static_cast<int>(*nSize);
    sourceOptions.m_nFitHeight = static_cast<int>(geometry->m_nHeight);
    sourceOptions.m_nThreshold = static_cast<int>(*nThreshold);
    std::vector<std::uint8_t> font;
    CImportReport report;
    std::string strError;
    switch (ImportFontFile(strSource, sourceOptions, options, font, report, strError))
    {
    case EImportResult::Done:
        break;
    case EImportResult::SourceError:
        return Fail(g_cmdImport, kExitFile, strError);
    case EImportResult::OptionError:
        return Fail(g_cmdImport, kExitUsage, strError);
    }
    if (!WriteFileWhole(strOut, font, strError))
        return Fail(g_cmdImport, kExitFile, strError);

    std::cout << strOut << ": " << options.m_nFirst + options.m_nCount << " glyphs of "
              << options.m_nWidth << " x " << options.m_nHeight << ", " << font.size() << " bytes\n"
              << "from " << strSource << " (" << report.m_strSource << ")\n"
              << "imported " << report.m_nImported << " of " << options.m_nCount << "\n";
    if (!report.m_missing.empty())
        std::cout << "not in the source, left blank: " << report.m_missing.size() << " ("
                  << Codes(report.m_missing) << ")\n";
    if (!report.m_unmapped.empty())
        std::cout << "empty in " << options.m_strCodePage
                  << ", left blank: " << report.m_unmapped.size() << " ("
                  << Codes(report.m_unmapped) << ")\n";
    if (!report.m_clipped.empty())
        std::cout << "cut off at the cell's edges: " << report.m_clipped.size() << " ("
                  << Codes(report.m_clipped) << ")\n";
    return kExitOk;
}
} // namespace
