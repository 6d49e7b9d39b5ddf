#include "PortOptions.h"

#include "ExportCall.h"

#include <cstdlib>
#include <strings.h>

std::optional<long long> ReadPortNumber(CArguments& args, long long nMin, long long nMax,
                                        std::optional<long long> fallback)
{
    const auto text = args.Get("port");
    const bool bAddress = text && (text->find("://") != std::string::npos ||
                                   text->rfind("/", 0) == 0 || text->rfind("\\\\", 0) == 0);
    if (!bAddress)
        return args.GetInteger("port", nMin, nMax, fallback);
    const std::string strName = "VFDKIT_COM" + std::to_string(nMax);
#ifdef _WIN32
    _putenv_s(strName.c_str(), text->c_str());
#else
    ::setenv(strName.c_str(), text->c_str(), 1);
#endif
    return nMax;
}

std::optional<CPortOptions> ReadPortOptions(CArguments& args, bool bRequired)
{
    CPortOptions options;
    const auto nPort =
        ReadPortNumber(args, 1, 255, bRequired ? std::nullopt : std::optional<long long>(0));
    if (!nPort)
        return std::nullopt;
    options.m_nPort = static_cast<std::int32_t>(*nPort);

    if (const auto parity = args.Get("parity"))
    {
        static const char* const kNames[] = {"none", "odd", "even", "mark", "space"};
        bool bFound = false;
        for (int i = 0; i < 5 && !bFound; ++i)
        {
            if (strcasecmp(parity->c_str(), kNames[i]) == 0)
            {
                options.m_nParity = i;
                bFound = true;
            }
        }
        if (!bFound)
        {
            const auto nParity = args.GetInteger("parity", 0, 4, 0);
            if (!nParity)
            {
                args.m_strError =
                    "--parity must be none, odd, even, mark, space or 0 to 4, not \"" + *parity +
                    "\"";
                return std::nullopt;
            }
            options.m_nParity = static_cast<std::int32_t>(*nParity);
        }
    }

    const auto nBaud = args.GetInteger("baud", 1, 0x7FFFFFFF, 9600);
    if (!nBaud)
        return std::nullopt;
    options.m_nBaud = static_cast<std::int32_t>(*nBaud);
    return options;
}

bool OpenDisplayPort(const CDriverLibrary& library, const CPortOptions& options,
                     std::string& strError)
{
    const auto nOpened = CallExport(
        *library.Ordinal(1),
        {{options.m_nPort, nullptr}, {options.m_nParity, nullptr}, {options.m_nBaud, nullptr}});
    if (nOpened.value_or(0) == 1)
        return true;
    const std::string strPort = std::to_string(options.m_nPort);
    const std::string strCause = library.LastErrorText();
    if (!strCause.empty())
        strError = "cannot open port " + strPort + ": " + strCause;
    else
        strError = "cannot open port " + strPort + " (is it there and free? set VFDKIT_COM" +
                   strPort + " to its device)";
    return false;
}

void CloseDisplayPort(const CDriverLibrary& library)
{
    CallExport(*library.Ordinal(3), {});
}
