#pragma once

#include "PosixSerialPort.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;
using SteadyClock = std::chrono::steady_clock;

// The far end of the line: the master side of a pseudo-terminal, whose
// slave the port under test opens as its device.
struct PseudoTerminal : ::testing::Test
{
    int m_nMaster = -1;
    std::string m_strSlave;

    void SetUp() override
    {
        m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(m_nMaster, 0);
        ASSERT_EQ(::grantpt(m_nMaster), 0);
        ASSERT_EQ(::unlockpt(m_nMaster), 0);
        m_strSlave = ::ptsname(m_nMaster);
    }
    void TearDown() override
    {
        if (m_nMaster >= 0)
            ::close(m_nMaster);
    }

    void Send(const Bytes& bytes)
    {
        ASSERT_EQ(::write(m_nMaster, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
    }
    // What the port sent, waiting up to a second for nCount bytes.
    Bytes Receive(std::size_t nCount)
    {
        Bytes got;
        const auto until = SteadyClock::now() + 1s;
        while (got.size() < nCount && SteadyClock::now() < until)
        {
            pollfd pfd{m_nMaster, POLLIN, 0};
            if (::poll(&pfd, 1, 50) <= 0)
                continue;
            std::uint8_t buffer[256];
            const ssize_t n = ::read(m_nMaster, buffer, sizeof buffer);
            if (n > 0)
                got.insert(got.end(), buffer, buffer + n);
        }
        return got;
    }
    termios LineSettings()
    {
        termios tio{};
        EXPECT_EQ(::tcgetattr(m_nMaster, &tio), 0);
        return tio;
    }
};

// Milliseconds a call took.
template <typename F>
inline long long TimeMs(F&& f)
{
    const auto start = SteadyClock::now();
    f();
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - start)
        .count();
}
