// The stand-in library as the setup utility meets it, with vfdsim as the
// display: the utility's byte blocks, Init and a font update arrive byte for
// byte and change the display as they should. The frame pause is shortened
// through the stand-in's variable, so no font page waits 4 s here.

#include "ConnectionFile.h"
#include "PolelinkDevice.h"
#include "PolelinkFunctions.h"
#include "TempFolder.h"
#include "VfdsimProcess.h"

#include <cstdlib>
#include <dlfcn.h>

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

struct PolelinkOnVfdsim : ::testing::Test
{
    static constexpr unsigned kPort = 12;

    CTempFolder dir;
    CWorkingDirectory cwd{dir.Path()};
    CVfdsimProcess sim;
    void* m_pLibrary = nullptr;
    int (*m_pfnOpen)() = nullptr;
    int (*m_pfnClose)() = nullptr;
    int (*m_pfnWrite)(const char*, int) = nullptr;
    int (*m_pfnInit)() = nullptr;
    int (*m_pfnUpdate)(const char*, unsigned long, unsigned long) = nullptr;
    Bytes m_sent; // everything the test had the library send, in order

    void SetUp() override
    {
        ::setenv(kFramePauseVariable, "0", 1);
        ASSERT_TRUE(sim.Start(kPort, {"--idle-ms", "300"}));
        ASSERT_TRUE(CConnectionFile().Write({"VF620", static_cast<int>(kPort), 9600}));
        m_pLibrary = ::dlopen(POLELINK_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_pLibrary, nullptr) << ::dlerror();
        Bind(m_pfnOpen, "OpenComm");
        Bind(m_pfnClose, "CloseComm");
        Bind(m_pfnWrite, "WirteStrData");
        Bind(m_pfnInit, "Init");
        Bind(m_pfnUpdate, "_Z13UpdateFontLibPKcmm");
        ASSERT_TRUE(m_pfnOpen && m_pfnClose && m_pfnWrite && m_pfnInit && m_pfnUpdate);
        ASSERT_EQ(m_pfnOpen(), 1);
    }
    void TearDown() override
    {
        if (m_pfnClose)
            m_pfnClose();
        if (m_pLibrary)
            ::dlclose(m_pLibrary);
        ::unsetenv(kFramePauseVariable);
    }
    template <typename F>
    void Bind(F*& pfn, const char* pszName)
    {
        pfn = reinterpret_cast<F*>(::dlsym(m_pLibrary, pszName));
    }
    void Write(const Bytes& bytes)
    {
        EXPECT_EQ(
            m_pfnWrite(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())),
            1);
        m_sent.insert(m_sent.end(), bytes.begin(), bytes.end());
    }
    std::optional<CJsonObject> LastScreen(const std::string& strKey, const std::string& strValue)
    {
        return CVfdsimProcess::WaitFor(
            [&]() -> std::optional<CJsonObject>
            {
                const auto entries = sim.Transcript();
                for (auto it = entries.rbegin(); it != entries.rend(); ++it)
                    if (it->Get("event") == "screen")
                        return it->Get(strKey) == strValue ? std::optional<CJsonObject>(*it)
                                                           : std::nullopt;
                return std::nullopt;
            },
            5s);
    }
};

// File bytes i mod 251, so every offset shows.
Bytes FontBytes(std::size_t nLength)
{
    Bytes bytes(nLength);
    for (std::size_t i = 0; i < nLength; ++i)
        bytes[i] = static_cast<std::uint8_t>(i % 251);
    return bytes;
}
} // namespace

TEST_F(PolelinkOnVfdsim, TheUtilitysBlocksArriveInOrderAndSetTheDisplay)
{
    ASSERT_EQ(m_pfnInit(), 1);
    m_sent = {0x1B, 0x40};
    // The settings page's "Update" after "Reset" with German and table 3.
    Write({0x02, 0x05, 0x52, 0x31, 0x03});
    Write({0x1B, 0x52, 0x02});
    Write({0x1B, 0x74, 0x03});
    Write({0x1F, 0x58, 0x03, 0x1B, 0x40});
    Write({0x02, 0x05, 0x42, 0x37, 0x03});
    // The VF510 page: contrast, an indicator, the option, "Display".
    Write({0x14, 0x05});
    Write({0x1B, 0x73, 0x02});
    Write({0x1F, 0x50, 0x01});
    Write({0x0C});
    Write({0x1B, 0x51, 0x41});
    Write({'A', 'B', 'C', '['});
    Write({});
    Write({0x0D});
    // The diagnostic page's "Display" with two lines.
    Write({0x0C});
    Write({'L', 'i', 'n', 'e', ' ', '1'});
    Write({0x0D, 0x0A});
    Write({'L', 'i', 'n', 'e', ' ', '2'});

    EXPECT_EQ(sim.WaitForDisplayBytes(m_sent.size(), 5s), m_sent);
    const auto screen = LastScreen("line2", "Line 2" + std::string(14, ' '));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Get("line1"), "Line 1" + std::string(14, ' '));
    EXPECT_EQ(screen->Get("language"), "international");
    EXPECT_EQ(screen->GetInteger("character_set"), 2); // kept through the initialise
    EXPECT_EQ(screen->GetInteger("code_table"), 3);
    EXPECT_EQ(screen->GetInteger("brightness"), 3);
    EXPECT_EQ(screen->GetInteger("baud"), 19200);
    EXPECT_EQ(screen->GetInteger("contrast"), 5);
    EXPECT_EQ(screen->Get("indicator"), "total");
    EXPECT_EQ(screen->Get("thank_you"), "true");
    const auto shown = sim.WaitForEvent("show-text", 1s);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Get("text"), "ABC[");
}

TEST_F(PolelinkOnVfdsim, AFontUpdateArrivesAsFramesOfTheFilesPages)
{
    const Bytes font = FontBytes(2048);
    const std::string strPath = dir.Write("font.bin", std::string(font.begin(), font.end()));

    // One page: page 2 of area 0 carries file bytes 256 to 511.
    ASSERT_EQ(m_pfnUpdate(strPath.c_str(), 0, 2), 1);
    Bytes expected = {0x1B, 0x53, 0x02, 0x02};
    expected.insert(expected.end(), font.begin() + 256, font.begin() + 512);
    // Then every page of area 1.
    ASSERT_EQ(m_pfnUpdate(strPath.c_str(), 1, 0xFFFFFFFFul), 1);
    for (std::uint8_t nPage = 1; nPage <= 8; ++nPage)
    {
        expected.insert(expected.end(), {0x1B, 0x53, 0x03, nPage});
        expected.insert(expected.end(), font.begin() + (nPage - 1) * 256,
                        font.begin() + nPage * 256);
    }
    EXPECT_EQ(sim.WaitForDisplayBytes(expected.size(), 5s), expected);

    std::vector<std::string> pages;
    for (const auto& entry : sim.Transcript())
        if (entry.Get("event") == "font-page")
            pages.push_back(*entry.Get("codes"));
    EXPECT_EQ(pages, (std::vector<std::string>{"30-3F", "80-8F", "90-9F", "A0-AF", "B0-BF", "C0-CF",
                                               "D0-DF", "E0-EF", "F0-FF"}));
    // The screen's state lists the pages each area holds.
    Write({0x0C});
    const auto screen = LastScreen("area1_pages", "1 2 3 4 5 6 7 8");
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->Get("area0_pages"), "2");
}
