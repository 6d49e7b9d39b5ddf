#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

// A file's bytes, whole; empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A fresh folder for one test, removed with everything in it afterwards,
// with byte-exact file helpers.
class CTempFolder
{
public:
    CTempFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("vfd_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~CTempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string operator/(const std::string& strName) const { return (m_path / strName).string(); }

    std::string Write(const std::string& strName, const std::string& strBytes) const
    {
        const auto path = m_path / strName;
        std::ofstream(path, std::ios::binary) << strBytes;
        return path.string();
    }
    std::string Read(const std::string& strName) const { return ReadWholeFile(m_path / strName); }
    bool Exists(const std::string& strName) const
    {
        return std::filesystem::exists(m_path / strName);
    }
    // How many entries the folder holds, to see that nothing was left behind.
    std::size_t Count() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(m_path),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path m_path;
};

// Runs the test's body in another working directory and returns to the old one.
class CWorkingDirectory
{
public:
    explicit CWorkingDirectory(const std::filesystem::path& path)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~CWorkingDirectory() { std::filesystem::current_path(m_previous); }
    CWorkingDirectory(const CWorkingDirectory&) = delete;
    CWorkingDirectory& operator=(const CWorkingDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};
