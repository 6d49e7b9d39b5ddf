#include "RunTool.h"
#include "TempFolder.h"
#include "TestEnvironment.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace
{
struct Vfdkit : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();

    std::string Font(std::size_t length)
    {
        const auto path = dir / ("font" + std::to_string(length));
        std::ofstream(path, std::ios::binary) << std::string(length, '\x55');
        return path.string();
    }
};
} // namespace

TEST_F(Vfdkit, HelpAndVersionGoToStandardOutput)
{
    const auto help = RunVfdkit("--help");
    EXPECT_EQ(help.m_nStatus, 0);
    EXPECT_NE(help.m_strOut.find("info"), std::string::npos);

    const auto version = RunVfdkit("--version");
    EXPECT_EQ(version.m_nStatus, 0);
    EXPECT_EQ(version.m_strOut.rfind("vfdkit ", 0), 0u);

    const auto infoHelp = RunVfdkit("info --help");
    EXPECT_EQ(infoHelp.m_nStatus, 0);
    EXPECT_NE(infoHelp.m_strOut.find("--width W"), std::string::npos);
    // "help COMMAND" is the same as "COMMAND --help".
    EXPECT_EQ(RunVfdkit("help info").m_strOut, infoHelp.m_strOut);
}

TEST_F(Vfdkit, WrongCommandLinesExitTwoWithAMessage)
{
    for (const char* args : {"", "frobnicate", "help frobnicate", "info", "info a b",
                             "info f --width 12", "info f --height 33", "info f --bogus"})
    {
        const auto run = RunVfdkit(args);
        EXPECT_EQ(run.m_nStatus, 2) << args;
        EXPECT_FALSE(run.m_strErr.empty()) << args;
        EXPECT_TRUE(run.m_strOut.empty()) << args;
    }
}

TEST_F(Vfdkit, InfoCountsGlyphsAndPagesUnderTheGeometry)
{
    const auto font = Font(8192);
    const auto run16 = RunVfdkit(ShellQuote(font));
    EXPECT_EQ(run16.m_nStatus, 2); // the command name is required

    const auto info16 = RunVfdkit("info " + ShellQuote(font));
    ASSERT_EQ(info16.m_nStatus, 0) << info16.m_strErr;
    EXPECT_NE(info16.m_strOut.find("glyphs:   256\n"), std::string::npos) << info16.m_strOut;
    EXPECT_NE(info16.m_strOut.find("pages:    1 "), std::string::npos);

    const auto info8 = RunVfdkit("info " + ShellQuote(font) + " --width 8 --height=8");
    ASSERT_EQ(info8.m_nStatus, 0);
    EXPECT_NE(info8.m_strOut.find("glyphs:   1024\n"), std::string::npos);
    EXPECT_NE(info8.m_strOut.find("pages:    4 "), std::string::npos);

    const auto odd = RunVfdkit("info " + ShellQuote(Font(33)));
    EXPECT_NE(odd.m_strOut.find("glyphs:   1 (1 trailing bytes are no glyph)"), std::string::npos);

    const auto empty = RunVfdkit("info " + ShellQuote(Font(0)));
    EXPECT_NE(empty.m_strOut.find("pages:    1 of 256 glyphs (0 to 0)"), std::string::npos);
    EXPECT_EQ(empty.m_strOut.find("past what"), std::string::npos);
}

TEST_F(Vfdkit, InfoSaysWhenTheFileIsLongerThanTheEditorAddresses)
{
    // A sparse file: 4 GiB and 100 bytes on the disk's books, none written.
    const auto path = dir / "huge.fnt";
    std::ofstream(path, std::ios::binary).put('\0');
    std::filesystem::resize_file(path, (std::uint64_t{1} << 32) + 100);
    const auto info = RunVfdkit("info " + ShellQuote(path.string()));
    ASSERT_EQ(info.m_nStatus, 0) << info.m_strErr;
    EXPECT_NE(
        info.m_strOut.find("the file holds 4294967396 bytes, past what the editor can address: "
                           "it reads the first 4294967295"),
        std::string::npos)
        << info.m_strOut;
}

TEST_F(Vfdkit, UnreadableFontsExitThree)
{
    const auto missing = (dir / "missing").string();
    const auto run = RunVfdkit("info " + ShellQuote(missing));
    EXPECT_EQ(run.m_nStatus, 3);
    // The file and why it would not open.
    EXPECT_EQ(run.m_strErr,
              "vfdkit info: cannot open \"" + missing + "\": No such file or directory\n");
}

TEST_F(Vfdkit, SendRefusesWhatItCannotSendWithItsExitStatus)
{
    const auto font = Font(10);
    // The editor's ports are COM1 to COM9: others are a wrong command line.
    for (const std::string port : {"0", "10"})
    {
        const auto run = RunVfdkit("send " + ShellQuote(font) + " --port " + port);
        EXPECT_EQ(run.m_nStatus, 2) << port;
        EXPECT_EQ(run.m_strErr,
                  "vfdkit send: --port must be a number from 1 to 9, not \"" + port + "\"\n");
    }
    // A device that is not there is named, with what mapped the port to it.
    SetTestEnvironment("VFDKIT_COM3", (dir / "unplugged").string());
    const auto unplugged = RunVfdkit("send " + ShellQuote(font) + " --port 3");
    UnsetTestEnvironment("VFDKIT_COM3");
    EXPECT_EQ(unplugged.m_nStatus, 4);
    // The platform words the cause ("no such device", "no such port: ...").
    const std::string strHead =
        font + "\nOpen serial port error!\n" + (dir / "unplugged").string() + ": no such ";
    const std::string strTail = " (COM3 is mapped to it by the variable VFDKIT_COM3)\n";
    EXPECT_EQ(unplugged.m_strErr.rfind(strHead, 0), 0u) << unplugged.m_strErr;
    EXPECT_TRUE(unplugged.m_strErr.size() > strTail.size() &&
                unplugged.m_strErr.compare(unplugged.m_strErr.size() - strTail.size(),
                                           strTail.size(), strTail) == 0)
        << unplugged.m_strErr;

    const auto missing = (dir / "missing.fnt").string();
    const auto noFile = RunVfdkit("send " + ShellQuote(missing) + " --port 1");
    EXPECT_EQ(noFile.m_nStatus, 3);
    EXPECT_EQ(noFile.m_strErr, missing + "\nOpen file error!\n" + missing +
                                   ": cannot open: No such file or directory\n");

    const auto badArea = RunVfdkit("send " + ShellQuote(font) + " --area -1");
    EXPECT_EQ(badArea.m_nStatus, 2);
    EXPECT_EQ(badArea.m_strErr, "vfdkit send: --area: Please enter a positive integer. (0 to "
                                "4294967295, not \"-1\")\n");

    const auto badWidth = RunVfdkit("send " + ShellQuote(font) + " --width 12");
    EXPECT_EQ(badWidth.m_nStatus, 2);
    EXPECT_EQ(badWidth.m_strErr, "vfdkit send: --width must be 8, 16, 24 or 32, not \"12\"\n");
    EXPECT_EQ(RunVfdkit("send " + ShellQuote(font) + " --port x").m_nStatus, 2);
    EXPECT_EQ(RunVfdkit("send").m_nStatus, 2);
    EXPECT_NE(RunVfdkit("send --help").m_strOut.find("--area A"), std::string::npos);
}
