#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

// Runs vfdkit as a user would, through the shell, and keeps what it printed.
struct CToolRun
{
    int m_nStatus = -1;
    std::string m_strOut;
    std::string m_strErr;
};

inline std::string ShellQuote(const std::string& s)
{
    std::string quoted = "'";
    for (char c : s)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline CToolRun RunVfdkit(const std::string& strArgs)
{
    namespace fs = std::filesystem;
    const auto base = fs::temp_directory_path() / ("vfdkit_run_" + std::to_string(::getpid()));
    const auto out = base.string() + ".out";
    const auto err = base.string() + ".err";
    const std::string cmd = std::string(VFDKIT_EXE) + " " + strArgs + " >" + out + " 2>" + err;
    const int raw = std::system(cmd.c_str());
    CToolRun run;
    run.m_nStatus = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    auto slurp = [](const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    run.m_strOut = slurp(out);
    run.m_strErr = slurp(err);
    fs::remove(out);
    fs::remove(err);
    return run;
}
