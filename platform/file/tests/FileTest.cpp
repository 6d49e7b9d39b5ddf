#include "File.h"

#include "TempFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace
{
struct FileTest : ::testing::Test
{
    CTempFolder tmp;
    const fs::path& dir = tmp.Path();

    std::string Write(const std::string& name, const std::string& bytes)
    {
        return tmp.Write(name, bytes);
    }
    static std::string Slurp(const std::string& path) { return ReadWholeFile(path); }
};
} // namespace

TEST_F(FileTest, ReadWriteExistingNeitherCreatesNorTruncates)
{
    CFile file;
    EXPECT_FALSE(file.Open((dir / "missing").string(), CFile::EMode::ReadWrite));
    EXPECT_NE(file.GetLastError().find("missing"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "missing"));

    const auto path = Write("f", "abcdef");
    ASSERT_TRUE(file.Open(path, CFile::EMode::ReadWrite));
    ASSERT_TRUE(file.Seek(2));
    ASSERT_TRUE(file.Write("XY", 2));
    EXPECT_EQ(file.GetLength(), 6u);
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(Slurp(path), "abXYef");
}

TEST_F(FileTest, WritingPastTheEndLeavesZerosInTheGap)
{
    CFile file;
    const auto path = (dir / "new").string();
    ASSERT_TRUE(file.Open(path, CFile::EMode::CreateReadWrite));
    ASSERT_TRUE(file.Seek(4));
    ASSERT_TRUE(file.Write("Z", 1));
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(Slurp(path), std::string("\0\0\0\0Z", 5));
}

TEST_F(FileTest, ReadsStopAtTheEnd)
{
    CFile file;
    ASSERT_TRUE(file.Open(Write("f", "12345"), CFile::EMode::Read));
    char buffer[8] = {};
    ASSERT_TRUE(file.Seek(3));
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 2);
    EXPECT_EQ(std::string(buffer, 2), "45");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0);
}

TEST_F(FileTest, FoldersPipesAndDevicesAreNotFiles)
{
    CFile file;
    EXPECT_FALSE(file.Open(dir.string(), CFile::EMode::Read));
    EXPECT_NE(file.GetLastError().find("folder"), std::string::npos);
#ifndef _WIN32
    // Opening a pipe that no one writes to would wait for ever.
    const std::string fifo = (dir / "font.fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(file.Open(fifo, CFile::EMode::Read));
    EXPECT_EQ(file.GetLastError(), fifo + ": is not a regular file (a pipe or a device)");
    EXPECT_FALSE(file.Open("/dev/zero", CFile::EMode::ReadWrite));
#endif
}

TEST_F(FileTest, CopyReplacesTheTargetAndNamesTheCauseOnFailure)
{
    const auto from = Write("from", "new");
    const auto to = Write("to", "old contents");
    ASSERT_TRUE(CopyFileReplacing(from, to));
    EXPECT_EQ(Slurp(to), "new");

    std::string error;
    EXPECT_FALSE(CopyFileReplacing((dir / "nope").string(), to, &error));
    EXPECT_NE(error.find("nope"), std::string::npos);
    EXPECT_EQ(Slurp(to), "new");
}

TEST_F(FileTest, AnInjectedFailureHitsTheNextCallOnceWithItsCause)
{
    const auto path = Write("f", "abc");
    CFile file;
    CFile::FailNext(CFile::EOperation::Open, EACCES);
    EXPECT_FALSE(file.Open(path, CFile::EMode::Read));
    EXPECT_EQ(file.GetLastError(), path + ": cannot open: " + std::strerror(EACCES));
    ASSERT_TRUE(file.Open(path, CFile::EMode::ReadWrite));

    char buffer[4];
    CFile::FailNext(CFile::EOperation::Read, EIO);
    EXPECT_EQ(file.Read(buffer, sizeof buffer), -1);
    EXPECT_EQ(file.GetLastError(), path + ": cannot read: " + std::strerror(EIO));
    CFile::FailNext(CFile::EOperation::Write, ENOSPC);
    EXPECT_FALSE(file.Write("x", 1));
    EXPECT_NE(file.GetLastError().find(std::strerror(ENOSPC)), std::string::npos);
    CFile::FailNext(CFile::EOperation::Close, ENOSPC);
    EXPECT_FALSE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(Slurp(path), "abc");
}
