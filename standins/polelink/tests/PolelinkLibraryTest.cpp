// The stand-in library as the setup utility meets it: loaded as a shared
// library, its exports found by name, its bytes arriving on a
// pseudo-terminal that stands for the display's port.

#include "ConnectionFile.h"
#include "PolelinkFunctions.h"
#include "TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<std::uint8_t>;

struct CLibrary
{
    CLibrary() : m_pHandle(::dlopen(POLELINK_LIBRARY, RTLD_NOW | RTLD_LOCAL)) {}
    ~CLibrary()
    {
        if (m_pHandle)
            ::dlclose(m_pHandle);
    }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    template <typename T>
    T* Find(const char* pszName) const
    {
        return reinterpret_cast<T*>(::dlsym(m_pHandle, pszName));
    }

    void* m_pHandle;
};

// The name under which the C++ compiler exports UpdateFontLib.
constexpr const char* kUpdateFontLibSymbol = "_Z13UpdateFontLibPKcmm";

struct PolelinkLibraryTest : ::testing::Test
{
    CTempFolder dir;
    CWorkingDirectory cwd{dir.Path()};
    CLibrary library;

    void SetUp() override { ASSERT_NE(library.m_pHandle, nullptr) << ::dlerror(); }
    void TearDown() override
    {
        if (auto* pClose = library.Find<int()>("CloseComm"))
            pClose();
    }
};

// Reads what has arrived on the display's side of the line, waiting a
// little for each block.
Bytes ReadAvailable(int nMaster, std::size_t nExpected)
{
    Bytes bytes;
    while (bytes.size() < nExpected)
    {
        pollfd pfd{nMaster, POLLIN, 0};
        if (::poll(&pfd, 1, 2000) <= 0)
            break;
        std::uint8_t buffer[512];
        const auto nRead = ::read(nMaster, buffer, sizeof buffer);
        if (nRead <= 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + nRead);
    }
    return bytes;
}
} // namespace

TEST_F(PolelinkLibraryTest, ExportsExactlyTheFiveFunctionsAndTheCauseText)
{
    EXPECT_NE(library.Find<void>("OpenComm"), nullptr);
    EXPECT_NE(library.Find<void>("CloseComm"), nullptr);
    EXPECT_NE(library.Find<void>("WirteStrData"), nullptr);
    EXPECT_NE(library.Find<void>("Init"), nullptr);
    EXPECT_NE(library.Find<void>(kUpdateFontLibSymbol), nullptr);
    EXPECT_EQ(library.Find<void>("UpdateFontLib"), nullptr);

    // Everything else the library is built from stays inside it.
    FILE* pPipe = ::popen("nm -D --defined-only " POLELINK_LIBRARY " 2>/dev/null", "r");
    ASSERT_NE(pPipe, nullptr);
    std::set<std::string> names;
    char line[1024];
    while (std::fgets(line, sizeof line, pPipe))
    {
        std::string text(line);
        text.erase(text.find_last_not_of("\r\n") + 1);
        const auto nName = text.rfind(' ');
        const char cType = nName >= 2 ? text[nName - 1] : '?';
        // Version nodes (type A) are not symbols of the library's code.
        if (nName != std::string::npos && cType != 'A')
            names.insert(text.substr(nName + 1));
    }
    if (::pclose(pPipe) != 0 || names.empty())
        GTEST_SKIP() << "nm is not available";
    EXPECT_EQ(names, (std::set<std::string>{"OpenComm", "CloseComm", "WirteStrData", "Init",
                                            kUpdateFontLibSymbol, kPolelinkLastErrorTextName}));
}

TEST_F(PolelinkLibraryTest, SendsTheCallersBytesOnThePortOfTheConnectionFile)
{
    const int nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(nMaster, 0);
    ASSERT_EQ(::grantpt(nMaster), 0);
    ASSERT_EQ(::unlockpt(nMaster), 0);
    ::setenv("VFDKIT_COM3", ::ptsname(nMaster), 1);
    ASSERT_TRUE(CConnectionFile().Write({"VF620", 3, 19200}));

    auto* pOpen = library.Find<int()>("OpenComm");
    auto* pWrite = library.Find<int(const char*, int)>("WirteStrData");
    auto* pInit = library.Find<int()>("Init");
    auto* pClose = library.Find<int()>("CloseComm");
    ASSERT_TRUE(pOpen && pWrite && pInit && pClose);

    EXPECT_EQ(pOpen(), 1);
    EXPECT_EQ(pWrite("\x02\x05\x52\x31\x03", 5), 1);
    EXPECT_EQ(pWrite("\x1B\x74\x00", 3), 1);
    EXPECT_EQ(pInit(), 1);
    EXPECT_EQ(ReadAvailable(nMaster, 10),
              (Bytes{0x02, 0x05, 0x52, 0x31, 0x03, 0x1B, 0x74, 0x00, 0x1B, 0x40}));
    EXPECT_EQ(pClose(), 1);
    EXPECT_EQ(pWrite("x", 1), 0);
    ::close(nMaster);
    ::unsetenv("VFDKIT_COM3");
}
