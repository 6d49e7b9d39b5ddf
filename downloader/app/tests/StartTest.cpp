// The program started as a user starts it, here without a display: a missing
// or incomplete driver library stops it before anything is shown, with a
// message naming what is missing and a non-zero exit status.
#include "TempFolder.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace
{
struct CRun
{
    int m_nStatus = -1;
    std::string m_strOutput; // standard output and error
};

// Runs the program without a display, with the library search path and the
// working folder given.
CRun RunPagewing(const std::string& strExe, const std::string& strLibraryPath = {},
                 const std::string& strFolder = ".")
{
    std::string strCommand =
        "cd '" + strFolder + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u LD_LIBRARY_PATH ";
    if (!strLibraryPath.empty())
        strCommand += "LD_LIBRARY_PATH='" + strLibraryPath + "' ";
    strCommand += "'" + strExe + "' 2>&1";
    CRun run;
    std::unique_ptr<FILE, int (*)(FILE*)> pPipe(popen(strCommand.c_str(), "r"), pclose);
    if (!pPipe)
        return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pPipe.get()))
        run.m_strOutput += buffer;
    const int nRaw = pclose(pPipe.release());
    run.m_nStatus = WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
    return run;
}

bool Contains(const std::string& strText, const std::string& strPart)
{
    return strText.find(strPart) != std::string::npos;
}
} // namespace

TEST(PagewingStart, WithoutItsLibraryTheProgramNamesItAndStops)
{
    // The program copied alone, with no lib/ beside it, started from a
    // folder that happens to hold a library of that name: the working folder
    // is no place the program looks.
    const CTempFolder folder;
    const auto& dir = folder.Path();
    std::filesystem::create_directories(dir / "bin");
    const auto exe = dir / "bin" / "Pagewing";
    std::filesystem::copy_file(PAGEWING_EXE, exe,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(STANDIN_LACKS40_DIR "/libVF620.so.1", dir / "libVF620.so.1",
                               std::filesystem::copy_options::overwrite_existing);

    const CRun run = RunPagewing(exe.string(), {}, dir.string());
    EXPECT_EQ(run.m_nStatus, 2) << run.m_strOutput;
    EXPECT_TRUE(Contains(run.m_strOutput, "Pagewing cannot start: the driver library "
                                          "libVF620.so.1 cannot be loaded.\n"
                                          "libVF620.so.1: cannot open shared object file"))
        << run.m_strOutput;
}

TEST(PagewingStart, ALibraryWithoutAnOrdinalStopsTheProgramNamingTheOrdinal)
{
    const CRun run = RunPagewing(PAGEWING_EXE, STANDIN_LACKS40_DIR);
    EXPECT_EQ(run.m_nStatus, 2) << run.m_strOutput;
    EXPECT_EQ(run.m_strOutput, "Pagewing cannot start: the driver library " STANDIN_LACKS40_DIR
                               "/libVF620.so.1 lacks ordinal 40 (DownLoadFile).\n");
}

TEST(PagewingStart, ALibraryOfThatNameWithoutTheTableIsRefused)
{
    const CRun run = RunPagewing(PAGEWING_EXE, STANDIN_NOTABLE_DIR);
    EXPECT_EQ(run.m_nStatus, 2) << run.m_strOutput;
    EXPECT_TRUE(
        Contains(run.m_strOutput, STANDIN_NOTABLE_DIR "/libVF620.so.1 has no ordinal table"))
        << run.m_strOutput;
}

TEST(PagewingStart, WithItsLibraryBesideItGoesOnToTheWindowSystem)
{
    // The build tree's lib/ is found through the program's run path; with no
    // display the window system is what stops it, and it is named.
    const CRun run = RunPagewing(PAGEWING_EXE);
    EXPECT_EQ(run.m_nStatus, 1) << run.m_strOutput;
    EXPECT_TRUE(Contains(run.m_strOutput, "no graphical display could be opened"))
        << run.m_strOutput;
    EXPECT_FALSE(Contains(run.m_strOutput, "driver library")) << run.m_strOutput;
}
