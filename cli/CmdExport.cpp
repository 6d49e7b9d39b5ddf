#include "CArrayExport.h"
#include "Command.h"
#include "ConsoleUserInterface.h"
#include "GeometryOptions.h"
#include "TypeloomDoc.h"

#include <filesystem>
#include <iostream>

namespace
{
int RunExport(CArguments& args);
} // namespace

extern const CCommand g_cmdExport = {
    "export",
    "Write a font file as C source: one record of 16 bytes per glyph.",
    "FONT OUT [--width W] [--height H]",
    "The same text as the editor's \"Export to C Array...\": for each glyph two\n"
    "lines of eight byte constants (the glyph's first 16 bytes, zero after a\n"
    "shorter glyph's own) with its number in a comment, then two empty lines;\n"
    "CR LF line ends; no declaration around it. OUT is replaced when it exists;\n"
    "it may not be the font file itself.",
    {kWidthOption, kHeightOption},
    2,
    2,
    RunExport,
};

namespace
{
int RunExport(CArguments& args)
{
    const auto geometry = ReadGeometry(args);
    if (!geometry)
        return Fail(g_cmdExport, kExitUsage, args.m_strError);

    // The editor's own export, with the command line answering its file dialog.
    CConsoleUserInterface ui;
    ui.m_strPrefix = std::string("vfdkit ") + g_cmdExport.m_pszName + ": ";
    ui.m_strFileAnswer = args.m_positionals[1];
    CTypeloomDoc doc(ui);
    doc.SetPathName(args.m_positionals[0]);
    doc.SetGlyphSize(geometry->m_nWidth, geometry->m_nHeight);

    switch (ExportCArray(doc))
    {
    case EExportResult::Written:
    {
        std::error_code ec;
        const auto nBytes = std::filesystem::file_size(args.m_positionals[1], ec);
        std::cout << args.m_positionals[1] << ": " << (ec ? 0 : nBytes / kCArrayRecordBytes)
                  << " glyphs, " << (ec ? 0 : nBytes) << " bytes\n";
        return kExitOk;
    }
    case EExportResult::SameFile:
        return kExitUsage;
    case EExportResult::SourceError:
    case EExportResult::TargetError:
        return kExitFile;
    case EExportResult::Cancelled:
        break;
    }
    return Fail(g_cmdExport, kExitFailed, "no target file");
}
} // namespace
