#include "Command.h"
#include "ConsoleUserInterface.h"
#include "GeometryOptions.h"
#include "TypeloomDoc.h"

#include <filesystem>
#include <iostream>

namespace
{
int RunInfo(CArguments& args);
} // namespace

extern const CCommand g_cmdInfo = {
    "info",
    "Open a font file under a glyph geometry and count its glyphs and pages.",
    "FONT [--width W] [--height H]",
    "The file has no header: the same bytes read as other glyphs under another\n"
    "geometry. Prints the length, the glyph size, the glyph count and the pages.",
    {kWidthOption, kHeightOption},
    1,
    1,
    RunInfo,
};

namespace
{
int RunInfo(CArguments& args)
{
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdInfo, kExitUsage, args.m_strError);

    CConsoleUserInterface ui;
    CTypeloomDoc doc(ui);
    const std::string& strPath = args.m_positionals[0];
    if (const COpenResult opened = doc.OnOpenDocument(strPath); !opened)
    {
        // The cause comes as "<file>: cannot open: <why>": the file is named already.
        std::string strCause = opened.m_strCause;
        if (const std::string strNamed = strPath + ": cannot open: ";
            strCause.rfind(strNamed, 0) == 0)
            strCause.erase(0, strNamed.size());
        return Fail(g_cmdInfo, kExitFile,
                    "cannot open \"" + strPath + "\"" + (strCause.empty() ? "" : ": " + strCause));
    }
    doc.SetGlyphSize(geometry->m_nWidth, geometry->m_nHeight);

    const std::uint32_t nGlyphs = doc.GetGlyphCount();
    const unsigned nBytes = doc.m_glyph.Bytes();
    std::cout << "font:     " << strPath << "\n"
              << "length:   " << doc.m_nFileLength << " bytes\n";
    // The document counts in 32 bits: a longer file is read only as far as
    // that reaches, which the glyph count below reflects.
    std::error_code ec;
    const std::uintmax_t nTrueLength = std::filesystem::file_size(strPath, ec);
    if (!ec && nTrueLength > doc.m_nFileLength)
        std::cout << "          the file holds " << nTrueLength
                  << " bytes, past what the editor can address: it reads the first "
                  << doc.m_nFileLength << "\n";
    std::cout << "geometry: " << geometry->m_nWidth << " x " << geometry->m_nHeight << " ("
              << nBytes << " bytes a glyph)\n"
              << "glyphs:   " << nGlyphs;
    if (const auto nSpare = doc.m_nFileLength - std::uint64_t{nGlyphs} * nBytes)
        std::cout << " (" << nSpare << " trailing bytes are no glyph)";
    std::cout << "\n"
              << "pages:    " << doc.GetLastPage() + 1 << " of 256 glyphs (0 to "
              << doc.GetLastPage() << ")\n";
    return kExitOk;
}
} // namespace
