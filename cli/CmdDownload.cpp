#include "Command.h"
#include "DriverLibrary.h"
#include "ExportCall.h"
#include "FontAreas.h"
#include "PortOptions.h"

#include <iostream>

namespace
{
int RunDownload(CArguments& args);
} // namespace

extern const CCommand g_cmdDownload = {
    "download",
    "Send a font file's character area, or one page, to the display through VF620.",
    "FONT --port N --area A [--page K] [--parity P] [--baud B]",
    "Area 0 holds the characters 0x20 to 0x7F (6 pages, the file's first 1,536\n"
    "bytes), area 1 the characters 0x80 to 0xFF (8 pages, 2,048 bytes). Without\n"
    "--page all pages of the area go out (about 28 s or 36 s); with --page K one\n"
    "frame goes out as page K carrying the file's first 256 bytes (about 6 s).\n"
    "A file shorter than that is sent with zeros in place of the missing bytes.\n"
    "Exit status 3 when the file cannot be read or is empty, 4 when the port\n"
    "does not open, 1 when a frame could not be written.",
    {kPortOption,
     {"area", "A", "character area: 0 (0x20 to 0x7F) or 1 (0x80 to 0xFF)"},
     {"page", "K", "send one page, numbered K (0 to 255) on the display"},
     kParityOption,
     kBaudOption},
    1,
    1,
    RunDownload,
};

namespace
{
void VF620_API PrintMessage(const char* pszText, void* pContext)
{
    ++*static_cast<int*>(pContext);
    std::cerr << "vfdkit download: " << pszText << "\n";
}

int RunDownload(CArguments& args)
{
    const auto port = ReadPortOptions(args, true);
    if (!port)
        return Fail(g_cmdDownload, kExitUsage, args.m_strError);
    const auto nArea = args.GetInteger("area", 0, 1, std::nullopt);
    if (!nArea)
        return Fail(g_cmdDownload, kExitUsage, args.m_strError);
    const bool bSinglePage = args.Has("page");
    const auto nPage = args.GetInteger("page", 0, 255, 0);
    if (!nPage)
        return Fail(g_cmdDownload, kExitUsage, args.m_strError);
    std::string strFont = args.m_positionals[0];

    CDriverLibrary library;
    if (!library.Load())
        return Fail(g_cmdDownload, kExitFailed, library.m_strError);
    int nMessages = 0;
    library.SetMessageHook(&PrintMessage, &nMessages);

    std::string strError;
    if (!OpenDisplayPort(library, *port, strError))
        return Fail(g_cmdDownload, kExitPort, strError);

    const std::int64_t nPages = bSinglePage ? 1 : FontAreaPages(static_cast<std::uint32_t>(*nArea));
    std::cout << "Sending " << strFont << " to port " << port->m_nPort << ": area " << *nArea
              << (bSinglePage ? ", page " + std::to_string(*nPage)
                              : ", " + std::to_string(nPages) + " pages")
              << " (about " << (bSinglePage ? 6 : nPages * 4 + 4) << " s)..." << std::endl;
    std::optional<std::int32_t> nResult;
    if (bSinglePage)
        nResult = CallExport(*library.Ordinal(41),
                             {{0, strFont.data()}, {*nArea, nullptr}, {*nPage, nullptr}});
    else
        nResult = CallExport(*library.Ordinal(40), {{0, strFont.data()}, {*nArea, nullptr}});
    CloseDisplayPort(library);
    library.SetMessageHook(nullptr, nullptr);

    if (nResult.value_or(0) > 0)
    {
        std::cout << "Download complete." << std::endl;
        return kExitOk;
    }
    // The library speaks only about the file before anything is sent; a
    // failure without a word from it is the line's.
    if (nMessages > 0)
        return kExitFile;
    return Fail(g_cmdDownload, kExitFailed, "the last frame could not be written");
}
} // namespace
