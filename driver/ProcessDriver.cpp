#include "ProcessDriver.h"

#include "VF620.h"

#include <cstdio>

namespace
{
std::unique_ptr<CDriver>& TheDriver()
{
    static std::unique_ptr<CDriver> s_pDriver;
    return s_pDriver;
}

VF620_MESSAGE_HOOK g_pfnMessageHook = nullptr;
void* g_pMessageContext = nullptr;

std::unique_ptr<CDriver> MakeRealDriver()
{
    CDriverPort::CPortFactory portFactory = [] { return CreateSerialPort(); };
    CDriverPort::CDeviceNamer deviceNamer = [](unsigned nPort) { return ResolveComPort(nPort); };
    return std::make_unique<CDriver>(std::move(portFactory), std::move(deviceNamer), CClock::Real(),
                                     ShowLibraryMessage);
}
} // namespace

CDriver& ProcessDriver()
{
    auto& pDriver = TheDriver();
    if (!pDriver)
        pDriver = MakeRealDriver();
    return *pDriver;
}

std::unique_ptr<CDriver> ReplaceProcessDriver(std::unique_ptr<CDriver> pDriver)
{
    std::swap(TheDriver(), pDriver);
    return pDriver;
}

void ShowLibraryMessage(const std::string& strText)
{
    if (g_pfnMessageHook)
    {
        g_pfnMessageHook(strText.c_str(), g_pMessageContext);
        return;
    }
    std::fprintf(stderr, "VF620: %s\n", strText.c_str());
    std::fflush(stderr);
}

extern "C" VF620_EXPORT void VF620_API VF620_SetMessageHook(VF620_MESSAGE_HOOK pfnHook,
                                                            void* pContext)
{
    g_pfnMessageHook = pfnHook;
    g_pMessageContext = pContext;
}
