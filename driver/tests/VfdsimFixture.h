#pragma once

#include "ScreenPicture.h"
#include "VF620.h"
#include "VfdsimProcess.h"

#include <dlfcn.h>
#include <memory>

#include <gtest/gtest.h>

// The driver library as a program binds it (loaded at run time, functions
// by ordinal), with vfdsim as the display on the port the library opens.
struct DriverOnVfdsim : ::testing::Test
{
    static constexpr std::int32_t kPort = 11;

    struct CCloser
    {
        void operator()(void* pHandle) const { ::dlclose(pHandle); }
    };
    std::unique_ptr<void, CCloser> m_pLibrary{::dlopen(VF620_LIBRARY, RTLD_NOW | RTLD_LOCAL)};
    decltype(&VF620_GetProcByOrdinal) m_pfnGetProc = nullptr;
    CVfdsimProcess m_sim;

    void SetUp() override
    {
        ASSERT_TRUE(m_pLibrary) << ::dlerror();
        m_pfnGetProc = reinterpret_cast<decltype(m_pfnGetProc)>(
            ::dlsym(m_pLibrary.get(), "VF620_GetProcByOrdinal"));
        ASSERT_NE(m_pfnGetProc, nullptr);
        ASSERT_TRUE(
            m_sim.Start(kPort, {"--idle-ms", "300", "--screen-text", ScreenTextPath().string(),
                                "--screen-png", ScreenPngPath().string()}));
    }
    void TearDown() override
    {
        if (auto* pfnClose = Ordinal<decltype(CloseDComm)>(3))
            pfnClose();
    }

    template <typename F>
    F* Ordinal(std::int32_t n) const
    {
        return reinterpret_cast<F*>(m_pfnGetProc(n));
    }
    std::filesystem::path ScreenTextPath() const { return m_sim.Dir() / "screen.txt"; }
    std::filesystem::path ScreenPngPath() const { return m_sim.Dir() / "screen.png"; }

    // The latest "screen" entry, once it satisfies the test; nothing after 5 s.
    template <typename F>
    std::optional<CJsonObject> WaitForScreen(F&& good)
    {
        return CVfdsimProcess::WaitFor(
            [&]() -> std::optional<CJsonObject>
            {
                const auto entries = m_sim.Transcript();
                for (auto it = entries.rbegin(); it != entries.rend(); ++it)
                    if (it->Get("event") == "screen")
                        return good(*it) ? std::optional<CJsonObject>(*it) : std::nullopt;
                return std::nullopt;
            },
            std::chrono::seconds(5));
    }
};
