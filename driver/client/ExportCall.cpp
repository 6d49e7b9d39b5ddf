#include "ExportCall.h"

#include <string_view>

namespace
{
template <typename... TArgs>
using Fn = std::int32_t(VF620_API*)(TArgs...);

template <typename... TArgs>
Fn<TArgs...> As(VF620_PROC pfn)
{
    return reinterpret_cast<Fn<TArgs...>>(pfn);
}

std::int32_t I(const CCallArgument& arg)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(arg.m_nValue & 0xFFFFFFFF));
}

std::uint32_t U(const CCallArgument& arg)
{
    return static_cast<std::uint32_t>(arg.m_nValue & 0xFFFFFFFF);
}

const char* Z(const CCallArgument& arg)
{
    return static_cast<const char*>(arg.m_pData);
}
} // namespace

std::optional<std::int32_t> CallExport(const VF620_EXPORT_ENTRY& entry,
                                       const std::vector<CCallArgument>& args)
{
    const std::string_view signature = entry.pszArgs ? entry.pszArgs : "";
    if (!entry.pfnProc || args.size() != signature.size())
        return std::nullopt;
    const VF620_PROC pfn = entry.pfnProc;
    const auto& a = args;
    // Each function is called through its own prototype, never another.
    if (signature == "")
        return As<>(pfn)();
    if (signature == "i")
        return As<std::int32_t>(pfn)(I(a[0]));
    if (signature == "u")
        return As<std::uint32_t>(pfn)(U(a[0]));
    if (signature == "ii")
        return As<std::int32_t, std::int32_t>(pfn)(I(a[0]), I(a[1]));
    if (signature == "iii")
        return As<std::int32_t, std::int32_t, std::int32_t>(pfn)(I(a[0]), I(a[1]), I(a[2]));
    if (signature == "sn")
        return As<const void*, std::uint32_t>(pfn)(a[0].m_pData, U(a[1]));
    if (signature == "bn")
        return As<void*, std::uint32_t>(pfn)(a[0].m_pData, U(a[1]));
    if (signature == "sni")
        return As<const void*, std::uint32_t, std::int32_t>(pfn)(a[0].m_pData, U(a[1]), I(a[2]));
    if (signature == "zu")
        return As<const char*, std::uint32_t>(pfn)(Z(a[0]), U(a[1]));
    if (signature == "zui")
        return As<const char*, std::uint32_t, std::int32_t>(pfn)(Z(a[0]), U(a[1]), I(a[2]));
    return std::nullopt;
}
