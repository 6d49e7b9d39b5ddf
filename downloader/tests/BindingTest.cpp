// Binding the library by ordinal: each of the six functions reached through
// its own ordinal, the message hook, and libraries that are missing or lack
// what the program needs: the real library and stand-ins built for this.
#include "RecordingUserInterface.h"
#include "Vf620Module.h"

#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

namespace
{
// What the functions below were called with, by name.
std::map<std::string, std::vector<std::int64_t>> g_calls;
std::string g_strPath;

std::int32_t VF620_API FakeOpen(std::int32_t nPort, std::int32_t nParity, std::int32_t nBaud)
{
    g_calls["open"] = {nPort, nParity, nBaud};
    return 11;
}
std::int32_t VF620_API FakeSend(const void* pData, std::uint32_t nCount)
{
    g_calls["send"] = {static_cast<const std::uint8_t*>(pData)[0], nCount};
    return 12;
}
std::int32_t VF620_API FakeClose()
{
    g_calls["close"] = {};
    return 13;
}
std::int32_t VF620_API FakeClear()
{
    g_calls["clear"] = {};
    return 19;
}
std::int32_t VF620_API FakeAll(const char* pszPath, std::uint32_t dwArea)
{
    g_strPath = pszPath;
    g_calls["all"] = {dwArea};
    return 140;
}
std::int32_t VF620_API FakePage(const char* pszPath, std::uint32_t dwArea, std::int32_t nPage)
{
    g_strPath = pszPath;
    g_calls["page"] = {dwArea, nPage};
    return 141;
}

VF620_MESSAGE_HOOK g_pfnHook = nullptr;
void* g_pHookContext = nullptr;
void VF620_API FakeSetHook(VF620_MESSAGE_HOOK pfnHook, void* pContext)
{
    g_pfnHook = pfnHook;
    g_pHookContext = pContext;
}

std::map<std::int32_t, VF620_PROC> FullTable()
{
    return {{1, reinterpret_cast<VF620_PROC>(&FakeOpen)},
            {2, reinterpret_cast<VF620_PROC>(&FakeSend)},
            {3, reinterpret_cast<VF620_PROC>(&FakeClose)},
            {9, reinterpret_cast<VF620_PROC>(&FakeClear)},
            {40, reinterpret_cast<VF620_PROC>(&FakeAll)},
            {41, reinterpret_cast<VF620_PROC>(&FakePage)}};
}

CBoundVf620Calls::Lookup LookupIn(const std::map<std::int32_t, VF620_PROC>& table)
{
    return [table](std::int32_t nOrdinal)
    {
        const auto it = table.find(nOrdinal);
        return it == table.end() ? nullptr : it->second;
    };
}
} // namespace

TEST(Binding, EachCallReachesTheFunctionOfItsOrdinalUnchanged)
{
    std::string strMissing;
    auto pCalls = CBoundVf620Calls::Bind(LookupIn(FullTable()), &FakeSetHook, strMissing);
    ASSERT_TRUE(pCalls) << strMissing;

    g_calls.clear();
    EXPECT_EQ(pCalls->OpenDComm(8, 4, 19200), 11);
    const std::uint8_t byte = 0x0C;
    EXPECT_EQ(pCalls->SendDStr(&byte, 1), 12);
    EXPECT_EQ(pCalls->CloseDComm(), 13);
    EXPECT_EQ(pCalls->ClearDisplay(), 19);
    EXPECT_EQ(pCalls->DownLoadFile("/f/a.bin", 1), 140);
    EXPECT_EQ(g_strPath, "/f/a.bin");
    EXPECT_EQ(pCalls->DownLoadFileSinglePage("/f/b.bin", 0, 6), 141);
    EXPECT_EQ(g_strPath, "/f/b.bin");
    const std::map<std::string, std::vector<std::int64_t>> expected = {
        {"open", {8, 4, 19200}}, {"send", {0x0C, 1}}, {"close", {}},
        {"clear", {}},           {"all", {1}},        {"page", {0, 6}}};
    EXPECT_EQ(g_calls, expected);
}

TEST(Binding, TheHookShowsTheLibrarysMessagesAsMessageBoxes)
{
    std::string strMissing;
    auto pCalls = CBoundVf620Calls::Bind(LookupIn(FullTable()), &FakeSetHook, strMissing);
    ASSERT_TRUE(pCalls);
    CRecordingUserInterface ui;
    pCalls->SetMessageHook(&ui);
    ASSERT_NE(g_pfnHook, nullptr);
    g_pfnHook("The selected file is empty!", g_pHookContext);
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{"The selected file is empty!"});
    EXPECT_EQ(ui.m_messages[0].m_icon, EMessageIcon::Warning);
    EXPECT_FALSE(ui.m_messages[0].m_strCaption);

    pCalls->SetMessageHook(nullptr);
    EXPECT_EQ(g_pfnHook, nullptr);

    // A library without the hook still binds; its messages stay its own.
    auto pWithout = CBoundVf620Calls::Bind(LookupIn(FullTable()), nullptr, strMissing);
    ASSERT_TRUE(pWithout);
    pWithout->SetMessageHook(&ui);
}

TEST(Binding, NamesEveryMissingOrdinal)
{
    auto table = FullTable();
    table.erase(40);
    std::string strMissing;
    EXPECT_FALSE(CBoundVf620Calls::Bind(LookupIn(table), &FakeSetHook, strMissing));
    EXPECT_EQ(strMissing, "ordinal 40 (DownLoadFile)");

    table.erase(1);
    table.erase(41);
    // Ordinals next to the ones bound do not stand in for them.
    table[16] = reinterpret_cast<VF620_PROC>(&FakeOpen);
    EXPECT_FALSE(CBoundVf620Calls::Bind(LookupIn(table), &FakeSetHook, strMissing));
    EXPECT_EQ(strMissing,
              "ordinals 1 (OpenDComm), 40 (DownLoadFile) and 41 (DownLoadFileSinglePage)");

    EXPECT_FALSE(CBoundVf620Calls::Bind(LookupIn({}), &FakeSetHook, strMissing));
    EXPECT_EQ(strMissing, "ordinals 1 (OpenDComm), 2 (SendDStr), 3 (CloseDComm), 9 "
                          "(ClearDisplay), 40 (DownLoadFile) and 41 (DownLoadFileSinglePage)");
}

TEST(Vf620Module, BindsTheBuiltLibraryAndShowsItsMessagesThroughTheHook)
{
    CVf620Module module;
    std::string strError;
    CVf620Calls* pCalls = module.Load(VF620_LIBRARY, strError);
    ASSERT_NE(pCalls, nullptr) << strError;
    EXPECT_TRUE(strError.empty());

    // No port is open in this process.
    EXPECT_EQ(pCalls->ClearDisplay(), 0);
    EXPECT_EQ(pCalls->CloseDComm(), 0);
    EXPECT_EQ(pCalls->LastErrorText(), "no port is open");
#if !defined(_WIN32)
    // The cause the open-failure box gets on its second line.
    ::setenv("VFDKIT_COM9", "/dev/vfdkit-unplugged", 1);
    EXPECT_EQ(pCalls->OpenDComm(9, 0, 9600), 0);
    ::unsetenv("VFDKIT_COM9");
    EXPECT_EQ(pCalls->LastErrorText(),
              "/dev/vfdkit-unplugged: no such device (COM9 is mapped to it by the variable "
              "VFDKIT_COM9)");
#endif

    CRecordingUserInterface ui;
    pCalls->SetMessageHook(&ui);
    EXPECT_EQ(pCalls->DownLoadFile("", 0), 0);
    EXPECT_EQ(pCalls->DownLoadFileSinglePage("", 0, 1), 0);
    pCalls->SetMessageHook(nullptr);
    EXPECT_EQ(ui.Texts(), (std::vector<std::string>{"Please select the file path first!",
                                                    "Please select file path first!"}));
}

// The stand-ins that lack parts of the library are built on POSIX only.
#if !defined(_WIN32)

TEST(Vf620Module, SaysWhichLibraryIsMissingOrWhatItLacks)
{
    std::string strError;
    {
        CVf620Module module;
        EXPECT_EQ(module.Load("/nonexistent/vfdkit/libVF620.so.1", strError), nullptr);
        EXPECT_NE(strError.find("the driver library /nonexistent/vfdkit/libVF620.so.1 cannot be "
                                "loaded"),
                  std::string::npos)
            << strError;
        EXPECT_NE(strError.find("No such file or directory"), std::string::npos) << strError;
    }
    {
        CVf620Module module;
        EXPECT_EQ(module.Load(STANDIN_LACKS40, strError), nullptr);
        EXPECT_EQ(strError, std::string("the driver library ") + STANDIN_LACKS40 +
                                " lacks ordinal 40 (DownLoadFile).");
    }
    {
        CVf620Module module;
        EXPECT_EQ(module.Load(STANDIN_NOTABLE, strError), nullptr);
        EXPECT_EQ(strError, std::string("the driver library ") + STANDIN_NOTABLE +
                                " has no ordinal table (VF620_GetProcByOrdinal): it is no VF620 "
                                "library.");
    }
}

#endif
