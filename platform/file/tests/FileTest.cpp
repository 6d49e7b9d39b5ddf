#include "File.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace
{
struct FileTest : ::testing::Test
{
    fs::path dir =
        fs::temp_directory_path() /
        ("vfd_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const auto path = (dir / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string Slurp(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
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
