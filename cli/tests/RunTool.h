#pragma once

#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#ifdef _WIN32
#include <vector>
#include <windows.h>
#else
#include <sys/wait.h>
#endif

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

#ifdef _WIN32
// Windows has no POSIX shell: the arguments, written as for one, are split
// here and handed to the program with the platform's own quoting.
inline std::vector<std::string> SplitShellWords(const std::string& strLine)
{
    std::vector<std::string> words;
    std::string word;
    bool bInWord = false;
    for (std::size_t i = 0; i < strLine.size(); ++i)
    {
        const char c = strLine[i];
        if (c == ' ' || c == '\t')
        {
            if (bInWord)
                words.push_back(std::move(word));
            word.clear();
            bInWord = false;
            continue;
        }
        bInWord = true;
        if (c == '\'')
        {
            const auto end = strLine.find('\'', i + 1);
            word += strLine.substr(i + 1, end - i - 1);
            i = end == std::string::npos ? strLine.size() : end;
        }
        else if (c == '"')
        {
            for (++i; i < strLine.size() && strLine[i] != '"'; ++i)
                word += strLine[i] == '\\' && i + 1 < strLine.size() ? strLine[++i] : strLine[i];
        }
        else if (c == '\\' && i + 1 < strLine.size())
            word += strLine[++i];
        else
            word += c;
    }
    if (bInWord)
        words.push_back(std::move(word));
    return words;
}

// One argument as the C runtime's command-line parser reads it back.
inline std::string WindowsQuote(const std::string& strArg)
{
    if (!strArg.empty() && strArg.find_first_of(" \t\"") == std::string::npos)
        return strArg;
    std::string quoted = "\"";
    std::size_t nBackslashes = 0;
    for (char c : strArg)
    {
        if (c == '\\')
        {
            ++nBackslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * nBackslashes + 1 : nBackslashes, '\\');
        nBackslashes = 0;
        quoted += c;
    }
    quoted.append(2 * nBackslashes, '\\');
    return quoted + "\"";
}

inline int RunProcess(const std::string& strArgs, const std::string& strOut,
                      const std::string& strErr)
{
    std::string strCommand = WindowsQuote(VFDKIT_EXE);
    for (const auto& word : SplitShellWords(strArgs))
        strCommand += " " + WindowsQuote(word);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    auto create = [&](const std::string& path)
    {
        return ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    HANDLE hOut = create(strOut);
    HANDLE hErr = create(strErr);
    HANDLE hIn = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = hIn;
    startup.hStdOutput = hOut;
    startup.hStdError = hErr;
    PROCESS_INFORMATION process{};
    int nStatus = -1;
    // Under Wine on a loaded machine a start now and then fails outright;
    // nothing ran then, so it is tried again.
    bool bStarted = false;
    for (int nTry = 0; nTry < 3 && !bStarted; ++nTry)
    {
        if (nTry)
            ::Sleep(200);
        bStarted = ::CreateProcessA(nullptr, strCommand.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                    nullptr, &startup, &process) != 0;
    }
    if (bStarted)
    {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD nExit = 0;
        if (::GetExitCodeProcess(process.hProcess, &nExit))
            nStatus = static_cast<int>(nExit);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    for (HANDLE h : {hIn, hOut, hErr})
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    return nStatus;
}

// Text written in text mode ends its lines with CR LF on Windows.
inline std::string WithoutCarriageReturns(std::string text)
{
    std::erase(text, '\r');
    return text;
}
#else
inline int RunProcess(const std::string& strArgs, const std::string& strOut,
                      const std::string& strErr)
{
    const std::string cmd =
        std::string(VFDKIT_EXE) + " " + strArgs + " >" + strOut + " 2>" + strErr;
    const int raw = std::system(cmd.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

inline std::string WithoutCarriageReturns(std::string text)
{
    return text;
}
#endif

inline CToolRun RunVfdkit(const std::string& strArgs)
{
    namespace fs = std::filesystem;
    // Names of their own for each run: a file of the last run may not be let
    // go of yet where closing is asynchronous (Wine).
    static int s_nRun = 0;
    const auto base = fs::temp_directory_path() /
                      ("vfdkit_run_" + std::to_string(::getpid()) + "_" + std::to_string(++s_nRun));
    const auto out = base.string() + ".out";
    const auto err = base.string() + ".err";
    CToolRun run;
    run.m_nStatus = RunProcess(strArgs, out, err);
    run.m_strOut = WithoutCarriageReturns(ReadWholeFile(out));
    run.m_strErr = WithoutCarriageReturns(ReadWholeFile(err));
    std::error_code ec;
    fs::remove(out, ec);
    fs::remove(err, ec);
    return run;
}
