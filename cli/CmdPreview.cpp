#include "Command.h"
#include "FontPreview.h"
#include "GeometryOptions.h"
#include "PngEncoder.h"
#include "WholeFile.h"

#include <iostream>

namespace
{
int RunPreview(CArguments& args);

constexpr std::size_t kMaxFontBytes = 64u << 20;
} // namespace

extern const CCommand g_cmdPreview = {
    "preview",
    "Show a text in a font file as the display would: 20 columns, 2 lines.",
    "FONT TEXT [--width W] [--height H] [--png OUT.png] [--scale N] [--map CODEPAGE]",
    "Each character of TEXT (UTF-8) shows the glyph of its code: its Unicode\n"
    "number, or with --map the byte the code page has for it ('?' where it has\n"
    "none). A line feed starts the second line; after 20 characters the text\n"
    "goes on in the second line; what does not fit is dropped, with a warning.\n"
    "With --png the picture (the virtual display's glass and dots, N times as\n"
    "large) is written to OUT.png, whole or not at all; without it the screen\n"
    "is printed in block characters, two dot rows to a line.",
    {kWidthOption,
     kHeightOption,
     {"png", "OUT.png", "write the picture here instead of printing it"},
     {"scale", "N", "picture pixels for each of the painter's: 1 to 8 (1)"},
     {"map", "CODEPAGE", "codes from this code page (iconv name: CP437)"}},
    2,
    2,
    RunPreview,
};

namespace
{
int RunPreview(CArguments& args)
{
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdPreview, kExitUsage, args.m_strError);
    const auto nScale = args.GetInteger("scale", 1, 8, 1);
    if (!nScale)
        return Fail(g_cmdPreview, kExitUsage, args.m_strError);
    std::string strError;
    const auto codes = TextCodes(args.m_positionals[1], args.Get("map").value_or(""), strError);
    if (!codes)
        return Fail(g_cmdPreview, kExitUsage, strError);
    bool bCut = false;
    const CPreviewScreen screen = LayOutText(*codes, bCut);
    if (bCut)
        std::cerr << "vfdkit preview: the text is longer than two lines of " << kPreviewColumns
                  << "; the rest is not shown\n";

    const std::string& strFont = args.m_positionals[0];
    const auto font = ReadFileWhole(strFont, kMaxFontBytes, strError);
    if (!font)
        return Fail(g_cmdPreview, kExitFile, strError);
    const CFontPreview preview(*font, geometry->m_nWidth, geometry->m_nHeight);
    const auto strPng = args.Get("png");
    if (!strPng)
    {
        std::cout << preview.Text(screen);
        return kExitOk;
    }
    const CPixelCanvas picture = preview.Paint(screen, static_cast<int>(*nScale));
    const auto png = EncodePng(picture.Width(), picture.Height(), picture.Rgb().data());
    if (!WriteFileWhole(*strPng, png, strError))
        return Fail(g_cmdPreview, kExitFile, strError);
    std::cout << *strPng << ": " << picture.Width() << " x " << picture.Height() << " pixels\n";
    return kExitOk;
}
} // namespace
