#include "AtomicFile.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <functional>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#endif

namespace fs = std::filesystem;

namespace
{
struct AtomicFileTest : ::testing::Test
{
    const CTempFolder folder;
    const fs::path& dir = folder.Path();

    // Tests take permissions away; the folder goes only once they are back.
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        for (const auto& entry : fs::directory_iterator(dir, ec))
            fs::permissions(entry.path(), fs::perms::owner_all,
                            fs::perm_options::replace | fs::perm_options::nofollow, ec);
    }
};

#ifndef _WIN32
// Runs the check in a child process, as the unprivileged user "nobody" when
// asked (and we are root), so that permission rules apply as to a user; its
// exit code, or 100 + the signal that ended it.
int InChild(const std::function<int()>& check, bool bAsNobody)
{
    const pid_t pid = ::fork();
    if (pid == 0)
    {
        if (bAsNobody && ::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(99);
        ::_exit(check());
    }
    int nStatus = 0;
    ::waitpid(pid, &nStatus, 0);
    return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 100 + WTERMSIG(nStatus);
}
#endif
} // namespace

TEST_F(AtomicFileTest, ReplacesTheTargetWholeKeepingItsPermissions)
{
    const std::string path = folder.Write("a.ini", "old content that is longer than the new");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically(path, "new", 3, &strError)) << strError;
    EXPECT_EQ(ReadWholeFile(path), "new");
#ifndef _WIN32
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    EXPECT_EQ(folder.Count(), 1u);

    // A new file is created; an abandoned write leaves neither file nor temporary.
    ASSERT_TRUE(WriteFileAtomically((dir / "b.ini").string(), "b", 1));
    {
        CAtomicFile file((dir / "c.ini").string());
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("half", 4));
    }
    EXPECT_FALSE(fs::exists(dir / "c.ini"));
    EXPECT_EQ(folder.Count(), 2u);
}

TEST_F(AtomicFileTest, AReadOnlyTargetIsRefusedForEveryUserAndLeftUntouched)
{
    const std::string path = folder.Write("ro.ini", "kept");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
#ifndef _WIN32
    struct stat before
    {
    };
    ::stat(path.c_str(), &before);
#endif
    // As whoever runs the tests, root included: no write bit means read-only.
    std::string strError;
    EXPECT_FALSE(WriteFileAtomically(path, "new", 3, &strError));
    EXPECT_EQ(strError, path + ": cannot write: the file is read-only");
    EXPECT_EQ(ReadWholeFile(path), "kept");
    EXPECT_EQ(folder.Count(), 1u);
#ifndef _WIN32
    struct stat after
    {
    };
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
#endif
}

TEST_F(AtomicFileTest, ALinkIsWrittenThroughToItsTarget)
{
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need privileges on Windows";
#else
    fs::create_directories(dir / "shared");
    const std::string target = folder.Write("shared/Polelink.ini", "old");
    fs::create_symlink("shared/Polelink.ini", dir / "Polelink.ini");
    std::string strError;
    ASSERT_TRUE(WriteFileAtomically((dir / "Polelink.ini").string(), "new", 3, &strError))
        << strError;
    EXPECT_TRUE(fs::is_symlink(dir / "Polelink.ini"));
    EXPECT_EQ(ReadWholeFile(target), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "shared"), fs::directory_iterator()), 1);
#endif
}

#ifndef _WIN32
TEST_F(AtomicFileTest, AFolderWithoutRightsIsNamedInTheMessage)
{
    // A writable file in a folder the user may not create files in.
    const std::string path = folder.Write("w.ini", "kept");
    fs::permissions(path, fs::perms::all, fs::perm_options::replace);
    fs::permissions(dir,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    const std::string strExpected = path + ": cannot write: no file can be created in the folder " +
                                    dir.string() + ": Permission denied";
    EXPECT_EQ(InChild(
                  [&]
                  {
                      std::string strError;
                      if (WriteFileAtomically(path, "new", 3, &strError))
                          return 1;
                      return strError == strExpected ? 0 : 2;
                  },
                  true),
              0);
    EXPECT_EQ(ReadWholeFile(path), "kept");
}

TEST_F(AtomicFileTest, ASignalInTheMiddleRemovesTheTemporaryAndKeepsTheTarget)
{
    const std::string path = folder.Write("font.bin", "the old font");
    const int nResult = InChild(
        [&]
        {
            RemoveTemporaryFilesOnSignals();
            CAtomicFile file(path);
            if (!file.Open() || !file.Write("half of the new", 15))
                return 1;
            std::raise(SIGTERM);
            return 2; // not reached: the signal ends the process
        },
        false);
    EXPECT_EQ(nResult, 100 + SIGTERM);
    EXPECT_EQ(ReadWholeFile(path), "the old font");
    EXPECT_EQ(folder.Count(), 1u);
}
#endif

#ifdef __linux__
TEST_F(AtomicFileTest, AFullDiskLeavesTheOldTargetAndNoTemporary)
{
    // A 64 KiB file system of the test's own, in a mount namespace of its own.
    const fs::path mount = dir / "small";
    fs::create_directories(mount);
    const int nResult = InChild(
        [&]
        {
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k") != 0)
                return 77;
            const std::string path = (mount / "font.bin").string();
            std::ofstream(path, std::ios::binary) << "the old font";
            const std::string big(256 * 1024, 'x');
            std::string strError;
            if (WriteFileAtomically(path, big.data(), big.size(), &strError))
                return 1;
            if (strError.find("No space left on device") == std::string::npos ||
                strError.rfind(path + ": ", 0) != 0)
                return 2;
            if (ReadWholeFile(path) != "the old font")
                return 3;
            return std::distance(fs::directory_iterator(mount), fs::directory_iterator()) == 1 ? 0
                                                                                               : 4;
        },
        false);
    if (nResult == 77)
        GTEST_SKIP() << "no small file system could be mounted here (needs root)";
    EXPECT_EQ(nResult, 0);
}
#endif
