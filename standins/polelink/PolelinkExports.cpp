// The exported functions of the stand-in serial library. It stands in for
// the display maker's own library, which the setup utility is built
// against, on machines that do not have it: same five functions, same
// connection file, behaviour as the utility relies on (docs/tallyboard.md).

#include "PolelinkDevice.h"
#include "PolelinkFunctions.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace
{
// The caller shows nothing of a failure, so it goes to the error stream.
void ReportToStderr(const std::string& strWhy)
{
    std::fprintf(stderr, "Polelink: %s\n", strWhy.c_str());
}

// The one connection, kept between calls and never closed at exit: the
// utility leaves it open and the system closes the port with the process.
CPolelinkDevice& Device()
{
    static const std::unique_ptr<CSerialPort> pPort = CreateSerialPort();
    static CPolelinkDevice device = []
    {
        CPolelinkDevice made(
            *pPort, CClock::Real(), [](unsigned nPort) { return ResolveComPort(nPort); },
            ReportToStderr);
        if (const char* pszPause = std::getenv(kFramePauseVariable))
        {
            if (const auto pause = FramePauseFromText(pszPause))
                made.SetFramePause(*pause);
            else
                ReportToStderr(std::string(kFramePauseVariable) + "=\"" + pszPause +
                               "\" is no pause from 0 to 4000 ms; the frames keep 4000 ms");
        }
        return made;
    }();
    return device;
}

// Nothing may leave a C export as an exception.
template <typename TCall>
int Guarded(TCall call) noexcept
{
    try
    {
        return call();
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "Polelink: %s\n", e.what());
    }
    catch (...)
    {
        std::fputs("Polelink: unexpected failure\n", stderr);
    }
    return 0;
}
} // namespace

extern "C" int OpenComm()
{
    return Guarded([] { return Device().OpenComm(); });
}

extern "C" int CloseComm()
{
    return Guarded([] { return Device().CloseComm(); });
}

extern "C" int WirteStrData(const char* pData, int nLength)
{
    return Guarded([=] { return Device().WirteStrData(pData, nLength); });
}

extern "C" int Init()
{
    return Guarded([] { return Device().Init(); });
}

int UpdateFontLib(const char* pszPath, unsigned long dwArea, unsigned long dwPage)
{
    return Guarded([=] { return Device().UpdateFontLib(pszPath, dwArea, dwPage); });
}

// Ours, beside the five: the setup utility finds it by name when it is
// there, and does without it with the maker's library.
extern "C" POLELINK_API const char* PolelinkLastErrorText()
{
    try
    {
        return Device().LastError().c_str();
    }
    catch (...)
    {
        return "";
    }
}
