// The built shared library as a program meets it: loaded at run time, its
// functions bound through the ordinal table, its visible names exactly the
// interface. No port is needed.
#include "VF620.h"

#include <cstdio>
#include <dlfcn.h>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace
{
struct CLibraryCloser
{
    void operator()(void* pHandle) const { dlclose(pHandle); }
};

struct LoadedLibrary : ::testing::Test
{
    std::unique_ptr<void, CLibraryCloser> m_pLibrary{dlopen(VF620_LIBRARY, RTLD_NOW | RTLD_LOCAL)};
    decltype(&VF620_GetExport) m_pfnGetExport = nullptr;
    decltype(&VF620_GetProcByOrdinal) m_pfnGetProc = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(m_pLibrary) << dlerror();
        m_pfnGetExport =
            reinterpret_cast<decltype(m_pfnGetExport)>(dlsym(m_pLibrary.get(), "VF620_GetExport"));
        m_pfnGetProc = reinterpret_cast<decltype(m_pfnGetProc)>(
            dlsym(m_pLibrary.get(), "VF620_GetProcByOrdinal"));
        ASSERT_NE(m_pfnGetExport, nullptr);
        ASSERT_NE(m_pfnGetProc, nullptr);
    }

    template <typename F>
    F* Ordinal(std::int32_t n)
    {
        return reinterpret_cast<F*>(m_pfnGetProc(n));
    }
};

struct CHookCalls
{
    std::vector<std::string> m_texts;
};

void VF620_API RecordMessage(const char* pszText, void* pContext)
{
    static_cast<CHookCalls*>(pContext)->m_texts.push_back(pszText);
}
} // namespace

TEST_F(LoadedLibrary, EveryOrdinalIsTheFunctionOfItsName)
{
    for (std::int32_t n = 1; n <= 41; ++n)
    {
        const VF620_EXPORT_ENTRY* pEntry = m_pfnGetExport(n);
        ASSERT_NE(pEntry, nullptr) << n;
        void* pByName = dlsym(m_pLibrary.get(), pEntry->pszName);
        if (n == 12)
        {
            EXPECT_EQ(pByName, nullptr);
            EXPECT_EQ(m_pfnGetProc(n), nullptr);
            continue;
        }
        EXPECT_EQ(reinterpret_cast<VF620_PROC>(pByName), m_pfnGetProc(n)) << pEntry->pszName;
    }
    EXPECT_EQ(m_pfnGetProc(16), m_pfnGetProc(1));
    EXPECT_EQ(m_pfnGetProc(31), m_pfnGetProc(29));
    EXPECT_EQ(m_pfnGetProc(42), nullptr);
}

TEST_F(LoadedLibrary, TheFunctionsBoundByOrdinalAnswerWithoutAPort)
{
    // Pagewing's ordinals: 1 open, 2 send, 3 close, 9 clear, 40 and 41.
    auto* pfnSend = Ordinal<decltype(SendDStr)>(2);
    auto* pfnClose = Ordinal<decltype(CloseDComm)>(3);
    auto* pfnClear = Ordinal<decltype(ClearDisplay)>(9);
    auto* pfnAll = Ordinal<decltype(DownLoadFile)>(40);
    auto* pfnOne = Ordinal<decltype(DownLoadFileSinglePage)>(41);
    auto* pfnSetHook = reinterpret_cast<decltype(&VF620_SetMessageHook)>(
        dlsym(m_pLibrary.get(), "VF620_SetMessageHook"));
    ASSERT_NE(pfnSetHook, nullptr);

    EXPECT_EQ(pfnSend("\x0C", 1), 0);
    EXPECT_EQ(pfnClose(), 0);
    EXPECT_EQ(pfnClear(), 0);

    CHookCalls calls;
    pfnSetHook(&RecordMessage, &calls);
    EXPECT_EQ(pfnAll("", 0), 0);
    EXPECT_EQ(pfnOne("", 0, 1), 0);
    EXPECT_EQ(pfnAll("/nonexistent/vfd/font.bin", 0), 0);
    pfnSetHook(nullptr, nullptr);
    ASSERT_EQ(calls.m_texts.size(), 3u);
    EXPECT_EQ(calls.m_texts[0], "Please select the file path first!");
    EXPECT_EQ(calls.m_texts[1], "Please select file path first!");
    EXPECT_NE(calls.m_texts[2].find("/nonexistent/vfd/font.bin"), std::string::npos);
}

TEST_F(LoadedLibrary, ShowsNoNamesButTheInterface)
{
    std::unique_ptr<FILE, int (*)(FILE*)> pNm(
        popen("nm -D --defined-only " VF620_LIBRARY " 2>&1", "r"), pclose);
    ASSERT_TRUE(pNm);
    std::set<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pNm.get()))
    {
        char type = 0;
        char name[400] = {};
        if (std::sscanf(line, "%*s %c %399s", &type, name) == 2 && type != 'A')
            names.insert(name);
    }
    std::set<std::string> expected = {"VF620_GetProcByOrdinal", "VF620_GetExport",
                                      "VF620_SetMessageHook", "VF620_GetLastErrorText",
                                      "VF620_SetReceiveTimeout"};
    for (std::int32_t n = 1; n <= 41; ++n)
        if (n != 12)
            expected.insert(m_pfnGetExport(n)->pszName);
    // Symbol versions show as name@@VF620_1.
    std::set<std::string> bare;
    for (const auto& name : names)
        bare.insert(name.substr(0, name.find('@')));
    EXPECT_EQ(bare, expected);
}
