#pragma once

// A folder of this process's own for the targets that go through real files
// (the font document, INI files, the download's font): made on first use,
// in memory where the system offers it, and removed with everything in it
// when the process ends.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

class CFuzzFolder
{
public:
    CFuzzFolder()
    {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path(ec);
        m_strPath = (base / "vfdkit-fuzz-XXXXXX").string();
        if (!mkdtemp(m_strPath.data()))
            std::abort(); // nothing to fuzz without a place for the files
    }
    ~CFuzzFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_strPath, ec);
    }
    CFuzzFolder(const CFuzzFolder&) = delete;
    CFuzzFolder& operator=(const CFuzzFolder&) = delete;

    std::string m_strPath;
};

inline std::string FuzzPath(const char* pszName)
{
    static const CFuzzFolder s_folder;
    return s_folder.m_strPath + "/" + pszName;
}
