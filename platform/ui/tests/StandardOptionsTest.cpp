#include "StandardOptions.h"

#include <gtest/gtest.h>

namespace
{
const CProgramInfo kInfo{"Probe", "Usage: Probe [FILE...]\n"};

std::optional<int> Answer(std::initializer_list<const char*> args, std::string& strOut)
{
    std::vector<const char*> argv{"Probe"};
    argv.insert(argv.end(), args);
    ::testing::internal::CaptureStdout();
    const auto result = AnswerStandardOptions(static_cast<int>(argv.size()), argv.data(), kInfo);
    strOut = ::testing::internal::GetCapturedStdout();
    return result;
}
} // namespace

TEST(StandardOptions, HelpAndVersionAnswerAndEndTheProgram)
{
    std::string strOut;
    EXPECT_EQ(Answer({"font.fnt", "--help"}, strOut), 0);
    EXPECT_EQ(strOut, "Usage: Probe [FILE...]\n");
    EXPECT_EQ(Answer({"-h"}, strOut), 0);
    EXPECT_EQ(Answer({"--version"}, strOut), 0);
    EXPECT_EQ(strOut, VersionLine("Probe") + "\n");
    EXPECT_EQ(VersionLine("Probe").rfind("Probe ", 0), 0u);

    // Anything else is the program's own, and a file named --help after "--" is a file.
    EXPECT_EQ(Answer({"font.fnt"}, strOut), std::nullopt);
    EXPECT_EQ(Answer({"--", "--help"}, strOut), std::nullopt);
    EXPECT_EQ(strOut, "");
}
