#include "CallArguments.h"

#include "TempFolder.h"

#include <cctype>
#include <cstring>
#include <map>
#include <regex>
#include <sstream>

#include <gtest/gtest.h>

namespace
{
void VF620_API Nothing() {}

VF620_EXPORT_ENTRY Entry(const char* pszName, const char* pszArgs)
{
    return {1, pszName, pszArgs, &Nothing};
}

std::vector<std::uint8_t> BytesAt(const CCallArgument& arg, std::size_t nCount)
{
    const auto* p = static_cast<const std::uint8_t*>(arg.m_pData);
    return std::vector<std::uint8_t>(p, p + nCount);
}
} // namespace

TEST(CallArguments, IntegersTakeAnyThirtyTwoBitValueInDecimalOrHexadecimal)
{
    CCallArguments call;
    ASSERT_TRUE(call.Parse(Entry("OpenDComm", "iii"), {"0x101", "-1", "4294967295"}))
        << call.m_strError;
    ASSERT_EQ(call.m_args.size(), 3u);
    EXPECT_EQ(call.m_args[0].m_nValue, 0x101);
    EXPECT_EQ(call.m_args[1].m_nValue, -1);
    EXPECT_EQ(call.m_args[2].m_nValue, 4294967295LL);

    for (const std::vector<std::string>& words : {std::vector<std::string>{"1", "0"},
                                                  {"1", "0", "9600", "7"},
                                                  {"4294967296", "0", "1"},
                                                  {"-2147483649", "0", "1"},
                                                  {"abc", "0", "1"},
                                                  {"1.5", "0", "1"},
                                                  {"", "0", "1"}})
    {
        CCallArguments bad;
        EXPECT_FALSE(bad.Parse(Entry("OpenDComm", "iii"), words)) << words.size();
        EXPECT_NE(bad.m_strError.find("OpenDComm"), std::string::npos) << bad.m_strError;
    }
}

TEST(CallArguments, BytesArePlainTextOrHexadecimalAndTheirCountMayBeLeftOut)
{
    CCallArguments call;
    ASSERT_TRUE(call.Parse(Entry("DisplayStrAt", "sni"), {"HELLO", "3"}));
    ASSERT_EQ(call.m_args.size(), 3u);
    EXPECT_EQ(call.m_args[1].m_nValue, 5);
    EXPECT_EQ(call.m_args[2].m_nValue, 3);
    EXPECT_EQ(BytesAt(call.m_args[0], 5), (std::vector<std::uint8_t>{'H', 'E', 'L', 'L', 'O'}));

    CCallArguments counted;
    ASSERT_TRUE(counted.Parse(Entry("DisplayStrAt", "sni"), {"HELLO", "2", "3"}));
    EXPECT_EQ(counted.m_args[1].m_nValue, 2);

    CCallArguments hex;
    ASSERT_TRUE(hex.Parse(Entry("SendDStr", "sn"), {"hex:1b 51 41 00 FF"}));
    EXPECT_EQ(hex.m_args[1].m_nValue, 5);
    EXPECT_EQ(BytesAt(hex.m_args[0], 5), (std::vector<std::uint8_t>{0x1B, 0x51, 0x41, 0x00, 0xFF}));

    CCallArguments literal;
    ASSERT_TRUE(literal.Parse(Entry("SendDStr", "sn"), {"text:hex:41"}));
    EXPECT_EQ(literal.m_args[1].m_nValue, 6);
    EXPECT_EQ(std::memcmp(literal.m_args[0].m_pData, "hex:41", 6), 0);
}

TEST(CallArguments, ACountBeyondTheBytesOrMalformedHexIsRefused)
{
    const std::vector<std::vector<std::string>> cases = {
        {"HELLO", "6", "3"}, {"HELLO", "-1", "3"}, {"hex:1G", "1"}, {"hex:123", "1"}, {}, {"A"}};
    for (const auto& words : cases)
    {
        CCallArguments call;
        EXPECT_FALSE(call.Parse(Entry("DisplayStrAt", "sni"), words)) << words.size();
        EXPECT_FALSE(call.m_strError.empty());
    }
}

TEST(CallArguments, AReceiveGetsAZeroedBufferOfTheCountGiven)
{
    CCallArguments call;
    ASSERT_TRUE(call.Parse(Entry("ReceiveStr", "bn"), {"4"}));
    ASSERT_EQ(call.m_args.size(), 2u);
    ASSERT_NE(call.GetReceiveBuffer(), nullptr);
    EXPECT_EQ(*call.GetReceiveBuffer(), std::vector<std::uint8_t>(4, 0));
    EXPECT_EQ(call.m_args[0].m_pData, call.GetReceiveBuffer()->data());
    EXPECT_EQ(call.m_args[1].m_nValue, 4);

    for (const std::vector<std::string>& words : {std::vector<std::string>{}, {"65537"}, {"-1"}})
    {
        CCallArguments bad;
        EXPECT_FALSE(bad.Parse(Entry("ReceiveStr", "bn"), words));
    }
}

TEST(CallArguments, FileNamesArePassedZeroTerminated)
{
    CCallArguments call;
    ASSERT_TRUE(call.Parse(Entry("DownLoadFileSinglePage", "zui"), {"a font.bin", "1", "8"}));
    EXPECT_STREQ(static_cast<const char*>(call.m_args[0].m_pData), "a font.bin");
    EXPECT_EQ(call.m_args[2].m_nValue, 8);
}

TEST(CallArguments, ParametersAreDescribedAsTheyAreTyped)
{
    EXPECT_EQ(DescribeParameters(""), "");
    EXPECT_EQ(DescribeParameters("iii"), "INT INT INT");
    EXPECT_EQ(DescribeParameters("sni"), "BYTES [COUNT] INT");
    EXPECT_EQ(DescribeParameters("bn"), "COUNT");
    EXPECT_EQ(DescribeParameters("zui"), "FILE INT INT");
    EXPECT_EQ(HexBytes({0x41, 0x00, 0xFF}), "41 00 FF");
    EXPECT_EQ(DescribeParameters("sni", {"pText", "nLength", "nSelector"}),
              "pText:BYTES [nLength:COUNT] nSelector:INT");
    EXPECT_EQ(DescribeParameters("bn", {"pBuffer", "nCount"}), "nCount:COUNT");
    // Names that do not fit the letters are left out rather than misplaced.
    EXPECT_EQ(DescribeParameters("ii", {"a"}), "INT INT");
}

// The sources are read where they lie; the table is the same on every
// platform, so the build that runs natively checks it.
#ifndef _WIN32
TEST(CallArguments, ParameterNamesAreTheHeadersOwn)
{
    const std::string header = ReadWholeFile(VF620_SOURCE_DIR "/include/VF620.h");
    const std::regex declaration(R"(VF620_EXPORT int32_t VF620_API (\w+)\(([^)]*)\);)");
    const std::regex lastWord(R"((\w+)\s*$)");
    std::map<std::string, std::vector<std::string>> declared;
    for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end; ++it)
    {
        auto& names = declared[(*it)[1]];
        std::stringstream parameters((*it)[2].str());
        for (std::string parameter; std::getline(parameters, parameter, ',');)
            if (std::smatch word; std::regex_search(parameter, word, lastWord) && word[1] != "void")
                names.push_back(word[1]);
    }
    // Every function of the ordinal table that takes arguments on the
    // command line, with the names its declaration gives.
    std::stringstream exports(ReadWholeFile(VF620_SOURCE_DIR "/VF620.exports"));
    int nChecked = 0;
    for (std::string line; std::getline(exports, line);)
    {
        std::stringstream fields(line);
        std::string strOrdinal, strName, strArgs;
        fields >> strOrdinal >> strName >> strArgs;
        if (strOrdinal.empty() || !std::isdigit(static_cast<unsigned char>(strOrdinal[0])) ||
            strArgs == "-" || strArgs == "h")
            continue;
        ASSERT_TRUE(declared.count(strName)) << strName << " is not declared in VF620.h";
        EXPECT_EQ(ParameterNames(strName), declared[strName]) << strName;
        EXPECT_EQ(ParameterNames(strName).size(), strArgs.size()) << strName;
        ++nChecked;
    }
    EXPECT_EQ(nChecked, 25);
}
#endif
