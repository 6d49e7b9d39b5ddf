// vfdkit writing to a file system that fills up: a small tmpfs in a mount
// namespace of the test's own, skipped where mounting is not permitted.
#include "RunTool.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#ifdef __linux__
namespace fs = std::filesystem;

namespace
{
struct FullDisk : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();
    fs::path small = dir / "small";

    void SetUp() override
    {
        fs::create_directories(small);
        std::ofstream(dir / "font.bin", std::ios::binary) << std::string(64 * 1024, '\x5A');
    }

    // Runs the vfdkit arguments with OUT on a 64 KiB tmpfs already holding
    // "the old file"; what is left there is copied out before the mount goes.
    // Returns vfdkit's exit status, or 77 when no tmpfs could be mounted.
    int Run(const std::string& strArgs)
    {
        const std::string q = ShellQuote(small.string());
        const std::string d = ShellQuote(dir.string());
        const std::string script = "mount -t tmpfs -o size=64k tmpfs " + q +
                                   " 2>/dev/null || exit 77; printf 'the old file' > " + q +
                                   "/out; " + ShellQuote(VFDKIT_EXE) + " " + strArgs + " > " + d +
                                   "/stdout 2> " + d + "/stderr; echo $? > " + d + "/status; cat " +
                                   q + "/out > " + d + "/kept; ls -A " + q + " > " + d + "/listing";
        const int nStatus = std::system(
            ("unshare --mount --propagation private sh -c " + ShellQuote(script) + " 2>/dev/null")
                .c_str());
        if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0)
            return 77;
        return std::stoi(ReadWholeFile(dir / "status"));
    }
};
} // namespace

TEST_F(FullDisk, ExportAndSampleFontLeaveTheOldTargetAndNoTemporary)
{
    const std::string strOut = ShellQuote((small / "out").string());
    const std::string strFont = ShellQuote((dir / "font.bin").string());
    for (const std::string& strArgs :
         {"export " + strFont + " " + strOut + " --width 8 --height 16",
          "sample-font " + strOut + " --glyphs 65536"})
    {
        const int nStatus = Run(strArgs);
        if (nStatus == 77)
            GTEST_SKIP() << "no small file system could be mounted here (needs root)";
        SCOPED_TRACE(strArgs);
        EXPECT_EQ(nStatus, 3);
        const std::string strErr = ReadWholeFile(dir / "stderr");
        EXPECT_NE(strErr.find("No space left on device"), std::string::npos) << strErr;
        EXPECT_NE(strErr.find((small / "out").string()), std::string::npos) << strErr;
        const std::string strKept = ReadWholeFile(dir / "kept");
        EXPECT_TRUE(strKept == "the old file")
            << "the target now holds " << strKept.size() << " bytes";
        EXPECT_EQ(ReadWholeFile(dir / "listing"), "out\n");
    }
    EXPECT_TRUE(ReadWholeFile(dir / "font.bin") == std::string(64 * 1024, '\x5A'));
}
#endif
