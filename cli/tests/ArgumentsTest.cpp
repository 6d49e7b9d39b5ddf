#include "Command.h"

#include <gtest/gtest.h>

namespace
{
const std::vector<CArguments::COption> kOptions = {
    {"port", "N", "the port"}, {"verbose", "", "talk"}, {"width", "W", "width"}};
}

TEST(Arguments, OptionsInBothSpellingsFlagsAndPositionals)
{
    CArguments args;
    ASSERT_TRUE(
        args.Parse({"font.bin", "--port", "3", "--width=24", "--verbose", "out.c"}, kOptions, 1, 2))
        << args.m_strError;
    EXPECT_EQ(args.m_positionals, (std::vector<std::string>{"font.bin", "out.c"}));
    EXPECT_EQ(args.Get("port"), "3");
    EXPECT_EQ(args.GetInteger("width", 8, 32, 16), 24);
    EXPECT_TRUE(args.Has("verbose"));
    EXPECT_EQ(args.GetInteger("missing", 0, 9, 7), 7);
}

TEST(Arguments, DoubleDashEndsOptions)
{
    CArguments args;
    ASSERT_TRUE(args.Parse({"--", "--port"}, kOptions, 1, 1));
    EXPECT_EQ(args.m_positionals, std::vector<std::string>{"--port"});
}

TEST(Arguments, MistakesAreNamed)
{
    CArguments a;
    EXPECT_FALSE(a.Parse({"--colour", "red"}, kOptions, 0, 2));
    EXPECT_EQ(a.m_strError, "unknown option --colour");

    CArguments b;
    EXPECT_FALSE(b.Parse({"x", "--port"}, kOptions, 0, 2));
    EXPECT_NE(b.m_strError.find("--port needs a value"), std::string::npos);

    CArguments c;
    EXPECT_FALSE(c.Parse({"--verbose=yes"}, kOptions, 0, 2));
    CArguments d;
    EXPECT_FALSE(d.Parse({}, kOptions, 1, 1));
    CArguments e;
    EXPECT_FALSE(e.Parse({"a", "b"}, kOptions, 1, 1));
    EXPECT_NE(e.m_strError.find("b"), std::string::npos);

    CArguments f;
    ASSERT_TRUE(f.Parse({"--width", "12x"}, kOptions, 0, 1));
    EXPECT_EQ(f.GetInteger("width", 8, 32, 16), std::nullopt);
    EXPECT_NE(f.m_strError.find("12x"), std::string::npos);
    EXPECT_EQ(f.GetInteger("port", 1, 9, std::nullopt), std::nullopt);
    EXPECT_EQ(f.m_strError, "--port is required");
}

TEST(Arguments, IntegersInDecimalAndHex)
{
    EXPECT_EQ(ParseCommandLineInteger("42"), 42);
    EXPECT_EQ(ParseCommandLineInteger("0x1B"), 27);
    EXPECT_EQ(ParseCommandLineInteger("-1"), -1);
    EXPECT_EQ(ParseCommandLineInteger("0xFFFFFFFF"), 0xFFFFFFFFll);
    for (const char* bad : {"", "0x", "1.0", "abc", "--1", " 1"})
        EXPECT_EQ(ParseCommandLineInteger(bad), std::nullopt) << bad;
}
