#include "SimOptions.h"

#include <gtest/gtest.h>

using EFault = CDownloadFaults::EFault;

namespace
{
std::optional<CSimOptions> Parse(std::vector<std::string> args, std::string* pError = nullptr)
{
    std::string strError;
    auto options = ParseSimOptions(args, strError);
    if (pError)
        *pError = strError;
    return options;
}
} // namespace

TEST(SimOptions, DefaultsAndFiles)
{
    const auto defaults = Parse({});
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->m_nPort, 1u);
    EXPECT_EQ(defaults->m_nIdleMs, 2000u);
    EXPECT_EQ(defaults->m_faults.m_fault, EFault::None);

    const auto options = Parse({"--port", "3", "--port-file=/tmp/p", "--transcript", "t.jsonl",
                                "--save-font", "f.fnt", "--idle-ms", "500", "--help"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->m_nPort, 3u);
    EXPECT_EQ(options->m_strPortFile, "/tmp/p");
    EXPECT_EQ(options->m_strTranscript, "t.jsonl");
    EXPECT_EQ(options->m_strSaveFont, "f.fnt");
    EXPECT_EQ(options->m_nIdleMs, 500u);
    EXPECT_TRUE(options->m_bHelp);
    EXPECT_FALSE(options->m_bVersion);
    EXPECT_TRUE(Parse({"-h"})->m_bHelp);
    EXPECT_TRUE(Parse({"--version"})->m_bVersion);
    EXPECT_EQ(Parse({"--port", "0x10"})->m_nPort, 16u); // numbers as vfdkit takes them
    EXPECT_FALSE(Parse({"--port", "0x"}));
    EXPECT_EQ(Parse({"--link", "/tmp/display"})->m_strLink, "/tmp/display");
    std::string strError;
    EXPECT_FALSE(Parse({"--link"}, &strError));
    EXPECT_EQ(strError, "--link needs a value");
    EXPECT_FALSE(Parse({"--link="}, &strError));
    EXPECT_EQ(strError, "--link needs a file name");
}

TEST(SimOptions, TheDisplaysScreenModelPipeAndDrop)
{
    const auto defaults = Parse({});
    EXPECT_EQ(defaults->m_model, EDisplayModel::VF620);
    EXPECT_EQ(defaults->m_strConsoleFont, CConsoleFont::kDefaultPath);
    EXPECT_EQ(defaults->m_nDropAfter, 0u);
    const auto options =
        Parse({"--screen-text", "s.txt", "--screen-png=s.png", "--console-font", "f.psf", "--model",
               "VF730", "--send-pipe", "in", "--drop-after", "18"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->m_strScreenText, "s.txt");
    EXPECT_EQ(options->m_strScreenPng, "s.png");
    EXPECT_EQ(options->m_strConsoleFont, "f.psf");
    EXPECT_EQ(options->m_model, EDisplayModel::VF730);
    EXPECT_EQ(options->m_strSendPipe, "in");
    EXPECT_EQ(options->m_nDropAfter, 18u);
    std::string strError;
    EXPECT_FALSE(Parse({"--model", "VF510"}, &strError));
    EXPECT_EQ(strError, "--model must be VF620 or VF730, not \"VF510\"");
}

TEST(SimOptions, FaultsWithTheirValuesAndFrame)
{
    struct CCase
    {
        std::vector<std::string> m_args;
        EFault m_fault;
        unsigned m_nValue;
        unsigned m_nAtFrame;
    };
    const CCase cases[] = {
        {{"--bad-header"}, EFault::BadHeader, 0, 0},
        {{"--bad-length", "--at-frame", "2"}, EFault::BadLength, 0, 2},
        {{"--bad-key"}, EFault::BadKey, 0, 0},
        {{"--bad-checksum"}, EFault::BadChecksum, 0, 0},
        {{"--status", "3"}, EFault::Status, 3, 0},
        {{"--status=255"}, EFault::Status, 255, 0},
        {{"--abort", "--at-frame=4"}, EFault::Abort, 0, 4},
        {{"--repeat", "12"}, EFault::Repeat, 12, 0},
        {{"--silence"}, EFault::Silence, 0, 0},
        {{"--short-reply"}, EFault::ShortReply, 3, 0},
        {{"--short-reply=1"}, EFault::ShortReply, 1, 0},
        {{"--long-reply"}, EFault::LongReply, 5, 0},
        {{"--long-reply=2"}, EFault::LongReply, 2, 0},
        {{"--hang-up", "--at-frame", "1"}, EFault::HangUp, 0, 1},
    };
    for (const CCase& c : cases)
    {
        const auto options = Parse(c.m_args);
        ASSERT_TRUE(options) << c.m_args[0];
        EXPECT_EQ(options->m_faults.m_fault, c.m_fault) << c.m_args[0];
        EXPECT_EQ(options->m_faults.m_nValue, c.m_nValue) << c.m_args[0];
        EXPECT_EQ(options->m_faults.m_nAtFrame, c.m_nAtFrame) << c.m_args[0];
    }
}

TEST(SimOptions, WrongArgumentsAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--status", "2"},
        {"--status"},
        {"--port", "256"},
        {"--port", "x"},
        {"--short-reply=5"},
        {"--silence=1"},
        {"--abort", "--silence"},
        {"--at-frame", "1"},
        {"--bogus"},
        {"extra"},
        {"--transcript", ""},
        {"--idle-ms", "10"},
        {"--repeat", "0"},
        {"--long-reply=256"},
        {"--drop-after", "0"},
        {"--screen-png", ""},
        {"--send-pipe"},
        {"--listen", "7000"},
        {"--listen", "127.0.0.1:65536"},
        {"--listen", ":7000"},
        {"--rfc2217"},
        {"--listen", "127.0.0.1:0", "--link", "/tmp/x"},
    };
    for (const auto& args : bad)
    {
        std::string strError;
        EXPECT_FALSE(Parse(args, &strError)) << args[0];
        EXPECT_FALSE(strError.empty()) << args[0];
    }
    std::string strError;
    Parse({"--abort", "--silence"}, &strError);
    EXPECT_EQ(strError, "only one fault at a time (--abort and --silence)");
}

TEST(SimOptions, ListenTakesHostAndPortAndRfc2217GoesWithIt)
{
    const auto options = Parse({"--listen", "[::1]:0", "--rfc2217"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->m_strListen, "[::1]:0");
    EXPECT_TRUE(options->m_bRfc2217);
    std::string strError;
    Parse({"--rfc2217"}, &strError);
    EXPECT_EQ(strError, "--rfc2217 goes with --listen");
}
