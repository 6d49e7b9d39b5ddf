#pragma once

#include "Transcript.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Runs the real vfdsim for a test: in its own folder, with a port file, a
// transcript and a saved-font file there, and its port published in this
// process's environment (VFDKIT_COM<n>) so the port functions find it.
class CVfdsimProcess
{
public:
    CVfdsimProcess()
        : m_dir(std::filesystem::temp_directory_path() /
                ("vfdsim_" + std::to_string(::getpid()) + "_" + std::to_string(++Counter())))
    {
        std::filesystem::create_directories(m_dir);
    }
    ~CVfdsimProcess()
    {
        Stop();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    CVfdsimProcess(const CVfdsimProcess&) = delete;
    CVfdsimProcess& operator=(const CVfdsimProcess&) = delete;

    // Starts vfdsim as COM nPort with further options; false when it did
    // not publish its port within ten seconds.
    bool Start(unsigned nPort, const std::vector<std::string>& extra = {})
    {
        m_nPort = nPort;
        std::vector<std::string> args = {VFDSIM_EXE,
                                         "--port",
                                         std::to_string(nPort),
                                         "--port-file",
                                         PortFile().string(),
                                         "--transcript",
                                         TranscriptPath().string(),
                                         "--save-font",
                                         SavedFontPath().string()};
        args.insert(args.end(), extra.begin(), extra.end());
        m_pid = ::fork();
        if (m_pid == 0)
        {
            std::vector<char*> argv;
            for (auto& arg : args)
                argv.push_back(arg.data());
            argv.push_back(nullptr);
            const std::string out = (m_dir / "stdout").string();
            if (!std::freopen(out.c_str(), "w", stdout))
                ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        const auto setting = WaitFor(
            [&]() -> std::optional<std::string>
            {
                std::ifstream in(PortFile());
                std::string line;
                if (std::getline(in, line) && !line.empty())
                    return line;
                return std::nullopt;
            },
            std::chrono::seconds(10));
        if (!setting)
            return false;
        const std::string strPrefix = "VFDKIT_COM" + std::to_string(nPort) + "=";
        if (setting->rfind(strPrefix, 0) != 0)
            return false;
        m_strDevice = setting->substr(strPrefix.size());
        ::setenv(("VFDKIT_COM" + std::to_string(nPort)).c_str(), m_strDevice.c_str(), 1);
        return true;
    }

    // Sends the signal and waits for the exit; the exit status, -1 for a
    // crash or no exit within five seconds (then it is killed).
    int Stop(int nSignal = SIGTERM)
    {
        if (m_pid <= 0)
            return m_nExitStatus;
        ::kill(m_pid, nSignal);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        int nRaw = 0;
        while (::waitpid(m_pid, &nRaw, WNOHANG) == 0)
        {
            if (std::chrono::steady_clock::now() > until)
            {
                ::kill(m_pid, SIGKILL);
                ::waitpid(m_pid, &nRaw, 0);
                m_pid = -1;
                return m_nExitStatus = -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        m_pid = -1;
        m_nExitStatus = WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
        if (m_nPort)
            ::unsetenv(("VFDKIT_COM" + std::to_string(m_nPort)).c_str());
        return m_nExitStatus;
    }

    // True once vfdsim has ended by itself (after a hang-up), waiting up to
    // the time given.
    bool WaitForExit(std::chrono::milliseconds within)
    {
        return WaitFor(
                   [&]() -> std::optional<bool>
                   {
                       int nRaw = 0;
                       if (m_pid > 0 && ::waitpid(m_pid, &nRaw, WNOHANG) == m_pid)
                       {
                           m_pid = -1;
                           m_nExitStatus = WIFEXITED(nRaw) ? WEXITSTATUS(nRaw) : -1;
                       }
                       return m_pid > 0 ? std::nullopt : std::optional<bool>(true);
                   },
                   within)
            .has_value();
    }

    // Publishes the port in a user port map instead of the variable, as a
    // user who mapped it once would: <folder>/config/vfdkit/ports names it,
    // XDG_CONFIG_HOME points there, VFDKIT_COM<n> is unset.
    void PublishInUserPortMap()
    {
        const auto config = m_dir / "config";
        std::filesystem::create_directories(config / "vfdkit");
        std::ofstream(config / "vfdkit" / "ports")
            << "# made by the test\nCOM" << m_nPort << "=" << m_strDevice << "\n";
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::unsetenv(("VFDKIT_COM" + std::to_string(m_nPort)).c_str());
    }

    const std::string& Device() const { return m_strDevice; }
    pid_t Pid() const { return m_pid; }
    const std::filesystem::path& Dir() const { return m_dir; }
    std::filesystem::path PortFile() const { return m_dir / "port"; }
    std::filesystem::path TranscriptPath() const { return m_dir / "transcript.jsonl"; }
    std::filesystem::path SavedFontPath() const { return m_dir / "received.fnt"; }

    std::vector<CJsonObject> Transcript() const
    {
        std::vector<CJsonObject> entries;
        std::ifstream in(TranscriptPath());
        for (std::string line; std::getline(in, line);)
            if (auto entry = CJsonObject::Parse(line))
                entries.push_back(*entry);
        return entries;
    }
    // Waits until the transcript holds an entry of that event; up to the time given.
    std::optional<CJsonObject> WaitForEvent(const std::string& strEvent,
                                            std::chrono::milliseconds within)
    {
        return WaitFor(
            [&]() -> std::optional<CJsonObject>
            {
                for (const auto& entry : Transcript())
                    if (entry.Get("event") == strEvent)
                        return entry;
                return std::nullopt;
            },
            within);
    }
    // Every display-side byte received so far, in order: the "rx" fields of
    // the display decoder's entries.
    std::vector<std::uint8_t> DisplayBytes() const
    {
        std::vector<std::uint8_t> bytes;
        for (const auto& entry : Transcript())
            if (const auto rx = entry.Get("rx"))
                for (std::size_t i = 0; i + 1 < rx->size(); i += 3)
                    bytes.push_back(
                        static_cast<std::uint8_t>(std::stoi(rx->substr(i, 2), nullptr, 16)));
        return bytes;
    }
    // Waits until at least nCount display-side bytes have arrived and the
    // decoder has reported them; up to the time given.
    std::vector<std::uint8_t> WaitForDisplayBytes(std::size_t nCount,
                                                  std::chrono::milliseconds within)
    {
        auto bytes = WaitFor(
            [&]() -> std::optional<std::vector<std::uint8_t>>
            {
                auto got = DisplayBytes();
                if (got.size() >= nCount)
                    return got;
                return std::nullopt;
            },
            within);
        return bytes ? *bytes : DisplayBytes();
    }
    std::vector<std::uint8_t> SavedFont() const
    {
        std::ifstream in(SavedFontPath(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    // Polls f until it gives a value or the time is up.
    template <typename F>
    static auto WaitFor(F&& f, std::chrono::milliseconds within) -> decltype(f())
    {
        const auto until = std::chrono::steady_clock::now() + within;
        for (;;)
        {
            if (auto value = f())
                return value;
            if (std::chrono::steady_clock::now() > until)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

private:
    static int& Counter()
    {
        static int s_nCounter = 0;
        return s_nCounter;
    }

    std::filesystem::path m_dir;
    pid_t m_pid = -1;
    unsigned m_nPort = 0;
    int m_nExitStatus = -1;
    std::string m_strDevice;
};
