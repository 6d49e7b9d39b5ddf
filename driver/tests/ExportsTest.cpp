#include "ExportsFixture.h"

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>

namespace
{
// The library's names in ordinal order.
const char* const kNames[41] = {"OpenDComm",
                                "SendDStr",
                                "CloseDComm",
                                "SetBaudRate",
                                "InitDisplay",
                                "DisplayModal",
                                "SelectMode",
                                "InitDisplay1",
                                "ClearDisplay",
                                "SetDimming",
                                "ClearCursorLine",
                                "SetCursor",
                                "SetReverse",
                                "DisplayStrAt",
                                "ReceiveStrPrn",
                                "OpenDComm1",
                                "ReceiveStr",
                                "PurgeComm1",
                                "MoveCurToLeft",
                                "MoveCurToRight",
                                "MoveCurDownLine",
                                "MoveCurUpLine",
                                "MoveCurToHome",
                                "MoveCurToMLeft",
                                "MoveCurToMRight",
                                "MoveCurToBottom",
                                "MoveCurToSpePosition",
                                "SetUserFontSet",
                                "SetInterFontSet",
                                "CancelUserDfont",
                                "SetInterChaSet",
                                "SeCanPeriphalDevice",
                                "SelChaCodeTable",
                                "SelectDisMode",
                                "SetInterForBlink",
                                "SetBrightness",
                                "SetWarnAtColumn",
                                "ExeSelfTest",
                                "DefineUserfont",
                                "DownLoadFile",
                                "DownLoadFileSinglePage"};

std::string ReadText(const std::string& strPath)
{
    std::ifstream in(strPath);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct CHookCalls
{
    std::vector<std::string> m_texts;
    std::vector<void*> m_contexts;
};

void VF620_API RecordMessage(const char* pszText, void* pContext)
{
    auto* pCalls = static_cast<CHookCalls*>(pContext);
    pCalls->m_texts.push_back(pszText);
    pCalls->m_contexts.push_back(pContext);
}
} // namespace

TEST(OrdinalTable, EveryOrdinalHasItsNameAndFunction)
{
    std::set<VF620_PROC> procs;
    for (std::int32_t n = 1; n <= 41; ++n)
    {
        const VF620_EXPORT_ENTRY* pEntry = VF620_GetExport(n);
        ASSERT_NE(pEntry, nullptr) << n;
        EXPECT_EQ(pEntry->nOrdinal, n);
        EXPECT_STREQ(pEntry->pszName, kNames[n - 1]);
        EXPECT_EQ(VF620_GetProcByOrdinal(n), pEntry->pfnProc) << n;
        if (n != 12)
        {
            EXPECT_NE(pEntry->pfnProc, nullptr) << n;
            procs.insert(pEntry->pfnProc);
        }
    }
    // 16 and 31 are second names, not functions of their own.
    EXPECT_EQ(VF620_GetProcByOrdinal(16), VF620_GetProcByOrdinal(1));
    EXPECT_EQ(VF620_GetProcByOrdinal(31), VF620_GetProcByOrdinal(29));
    EXPECT_NE(VF620_GetProcByOrdinal(15), VF620_GetProcByOrdinal(17));
    EXPECT_EQ(procs.size(), 38u);
    EXPECT_EQ(VF620_GetProcByOrdinal(1), reinterpret_cast<VF620_PROC>(&::OpenDComm));
    EXPECT_EQ(VF620_GetProcByOrdinal(41), reinterpret_cast<VF620_PROC>(&::DownLoadFileSinglePage));
#if !defined(_WIN32)
    EXPECT_EQ(VF620_GetProcByOrdinal(12), nullptr);
#endif
    for (std::int32_t n : {0, -1, 42, 1000, INT32_MIN})
    {
        EXPECT_EQ(VF620_GetExport(n), nullptr) << n;
        EXPECT_EQ(VF620_GetProcByOrdinal(n), nullptr) << n;
    }
}

TEST(OrdinalTable, TheWindowsDefinitionFileGivesTheSameOrdinals)
{
    const std::string def = ReadText(VFDKIT_SOURCE_DIR "/driver/VF620.def");
    ASSERT_NE(def.find("LIBRARY VF620"), std::string::npos);
    const std::regex line(R"(\n\s+(\w+)(?:\s*=\s*([\w.]+))?\s+@(\d+))");
    std::map<int, std::pair<std::string, std::string>> ordinals;
    for (auto it = std::sregex_iterator(def.begin(), def.end(), line); it != std::sregex_iterator();
         ++it)
    {
        const int n = std::stoi((*it)[3]);
        EXPECT_EQ(ordinals.count(n), 0u) << "ordinal given twice: " << n;
        ordinals[n] = {(*it)[1], (*it)[2]};
    }
    ASSERT_EQ(ordinals.size(), 41u);
    for (int n = 1; n <= 41; ++n)
    {
        EXPECT_EQ(ordinals[n].first, kNames[n - 1]) << n;
        const VF620_EXPORT_ENTRY* pEntry = VF620_GetExport(n);
        // A second name points at the function of the first.
        if (ordinals[n].second.empty() || n == 12)
            continue;
        for (int m = 1; m <= 41; ++m)
        {
            if (ordinals[n].second == kNames[m - 1])
            {
                EXPECT_EQ(pEntry->pfnProc, VF620_GetExport(m)->pfnProc) << n;
            }
        }
    }
    EXPECT_EQ(ordinals[16].second, "OpenDComm");
    EXPECT_EQ(ordinals[31].second, "SetInterFontSet");
    EXPECT_EQ(ordinals[12].second, "user32.SetCursor");
}

TEST(OrdinalTable, TheVersionScriptShowsTheFunctionsTheTableAndTheHookOnly)
{
    const std::string map = ReadText(VFDKIT_BINARY_DIR "/driver/generated/VF620.map");
    const auto globalAt = map.find("global:");
    const auto localAt = map.find("local:");
    ASSERT_NE(globalAt, std::string::npos);
    ASSERT_NE(localAt, std::string::npos);
    const std::string globals = map.substr(globalAt + 7, localAt - globalAt - 7);
    std::set<std::string> names;
    const std::regex name(R"((\w+);)");
    for (auto it = std::sregex_iterator(globals.begin(), globals.end(), name);
         it != std::sregex_iterator(); ++it)
        names.insert((*it)[1]);

    std::set<std::string> expected(std::begin(kNames), std::end(kNames));
    expected.erase("SetCursor");
    expected.insert({"VF620_GetProcByOrdinal", "VF620_GetExport", "VF620_SetMessageHook",
                     "VF620_GetLastErrorText", "VF620_SetReceiveTimeout"});
    EXPECT_EQ(names, expected);
    EXPECT_NE(map.find("local:\n        *;"), std::string::npos);
}

TEST_F(ExportsFixture, NoExceptionCrossesTheCInterface)
{
    auto throwingFactory = []() -> std::unique_ptr<CSerialPort>
    { throw std::runtime_error("no ports today"); };
    ReplaceProcessDriver(
        std::make_unique<CDriver>(throwingFactory, CDriverParts::Namer(), parts.m_clock,
                                  [](const std::string&) { throw std::bad_alloc(); }));
    EXPECT_EQ(::OpenDComm(1, 0, 9600), 0);
    // The sink throws while the empty path is reported.
    EXPECT_EQ(::DownLoadFile("", 0), 0);
    EXPECT_EQ(::DownLoadFileSinglePage("", 0, 1), 0);
    EXPECT_EQ(::ClearDisplay(), 0);
}

TEST_F(ExportsFixture, MessagesGoToTheInstalledHookOrElseToStandardError)
{
    ReplaceProcessDriver(std::make_unique<CDriver>(parts.Factory(), CDriverParts::Namer(),
                                                   parts.m_clock, ShowLibraryMessage));
    CHookCalls calls;
    VF620_SetMessageHook(&RecordMessage, &calls);
    EXPECT_EQ(::DownLoadFile("", 0), 0);
    EXPECT_EQ(::DownLoadFileSinglePage(nullptr, 0, 1), 0);
    EXPECT_EQ(calls.m_texts, (std::vector<std::string>{"Please select the file path first!",
                                                       "Please select file path first!"}));
    EXPECT_EQ(calls.m_contexts, (std::vector<void*>{&calls, &calls}));

    VF620_SetMessageHook(nullptr, nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(::DownLoadFile(nullptr, 1), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "VF620: Please select the file path first!\n");
    EXPECT_EQ(calls.m_texts.size(), 2u);
}

TEST_F(ExportsFixture, TheDownloadsRunThroughTheirOrdinalsOnTheProcessDriver)
{
    const auto path = ::testing::TempDir() + "/vfd_exports_font.bin";
    std::ofstream(path, std::ios::binary) << std::string(1536, '\x11');
    ASSERT_EQ(::OpenDComm(2, 0, 9600), 1);
    const VF620_EXPORT_ENTRY* pAll = VF620_GetExport(40);
    const VF620_EXPORT_ENTRY* pOne = VF620_GetExport(41);
    auto* pPath = const_cast<char*>(path.c_str());
    EXPECT_EQ(CallExport(*pAll, {{0, pPath}, {0, nullptr}}), 1);
    EXPECT_EQ(parts.m_clock.Now(), Ms(27900));
    EXPECT_EQ(CallExport(*pOne, {{0, pPath}, {1, nullptr}, {0x104, nullptr}}), 1);
    EXPECT_EQ(parts.m_clock.Now(), Ms(27900 + 5900));
    const auto& last = parts.m_fake.m_writes[parts.m_fake.m_writes.size() - 28].m_bytes;
    EXPECT_EQ(Bytes(last.begin(), last.begin() + 5), (Bytes{0x1B, 0x53, 0x03, 0x04, 0x11}));
    EXPECT_EQ(CallExport(*pAll, {{0, pPath}, {2, nullptr}}), -1);
    EXPECT_EQ(parts.m_messages.size(), 1u);
    std::remove(path.c_str());
}

TEST(ExportCall, RefusesMissingFunctionsAndWrongArgumentCounts)
{
    const VF620_EXPORT_ENTRY* pClear = VF620_GetExport(9);
    EXPECT_FALSE(CallExport(*pClear, {{1, nullptr}}).has_value());
    const VF620_EXPORT_ENTRY* pOpen = VF620_GetExport(1);
    EXPECT_FALSE(CallExport(*pOpen, {{1, nullptr}, {0, nullptr}}).has_value());
    VF620_EXPORT_ENTRY unknown = *pClear;
    unknown.pszArgs = "q";
    EXPECT_FALSE(CallExport(unknown, {{1, nullptr}}).has_value());
#if !defined(_WIN32)
    EXPECT_FALSE(CallExport(*VF620_GetExport(12), {{0, nullptr}}).has_value());
#endif
}
