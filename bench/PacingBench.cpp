// The driver's byte pacing in real time: every paced byte must be followed
// by at least 20.000 ms before the next byte (or the return), the median gap
// within 0.1 ms of it. The bytes go to a sink port that stamps each write
// with the real clock, so only the pacing itself is measured.
#include "DriverPort.h"
#include "FakeSerialPort.h"
#ifndef _WIN32
#include "SerialPort.h"
#include "TcpLineEnd.h"

#include <atomic>
#include <poll.h>
#include <thread>
#endif

#include <algorithm>
#include <ctime>
#include <vector>

#include <benchmark/benchmark.h>

namespace
{
double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_PacedSendGaps(benchmark::State& state)
{
    const auto nBytes = static_cast<std::uint32_t>(state.range(0));
    CClock& clock = CClock::Real();
    CFakeSerialPort* pSink = nullptr; // owned by the port while it is open
    CDriverPort port(
        [&]() -> std::unique_ptr<CSerialPort>
        {
            auto pPort = std::make_unique<CFakeSerialPort>(&clock);
            pSink = pPort.get();
            return pPort;
        },
        [](unsigned n) {
            return CPortResolution{"COM" + std::to_string(n), "default"};
        },
        clock);
    port.OpenDComm(1, 0, 9600);
    CFakeSerialPort& sink = *pSink;
    const std::vector<std::uint8_t> data(nBytes, 0x55);

    std::vector<double> gapsMs;
    double dCpu = 0, dWall = 0;
    for (auto _ : state)
    {
        sink.m_writes.clear();
        const double dCpuStart = CpuSeconds();
        const auto start = clock.Now();
        benchmark::DoNotOptimize(port.SendDStr(data.data(), nBytes));
        const auto end = clock.Now();
        dCpu += CpuSeconds() - dCpuStart;
        dWall += std::chrono::duration<double>(end - start).count();
        for (std::size_t i = 0; i < sink.m_writes.size(); ++i)
        {
            const auto next = i + 1 < sink.m_writes.size() ? sink.m_writes[i + 1].m_at : end;
            gapsMs.push_back(
                std::chrono::duration<double, std::milli>(next - sink.m_writes[i].m_at).count());
        }
    }
    std::sort(gapsMs.begin(), gapsMs.end());
    state.counters["gaps"] = static_cast<double>(gapsMs.size());
    state.counters["min_gap_ms"] = gapsMs.front();
    state.counters["median_gap_ms"] = gapsMs[gapsMs.size() / 2];
    state.counters["p99_gap_ms"] = gapsMs[gapsMs.size() * 99 / 100];
    state.counters["max_gap_ms"] = gapsMs.back();
    state.counters["cpu_percent"] = 100.0 * dCpu / dWall;
    if (gapsMs.front() < 20.0)
        state.SkipWithError("a paced byte was followed by less than 20 ms");
}

#ifndef _WIN32
// The same pacing across loopback TCP with RFC 2217, measured where the
// bytes arrive: vfdsim's TCP end, read on a thread of its own, stamps each
// byte as it comes out of the Telnet layer.
void BM_PacedSendGapsOverRfc2217(benchmark::State& state)
{
    const auto nBytes = static_cast<std::uint32_t>(state.range(0));
    CTcpLineEnd line("127.0.0.1:0", true);
    std::string strError;
    if (!line.Open(strError))
    {
        state.SkipWithError(strError.c_str());
        return;
    }
    std::atomic<bool> bStop{false};
    std::vector<std::chrono::steady_clock::time_point> arrivals;
    std::thread receiver(
        [&]
        {
            while (!bStop)
            {
                pollfd fd{line.PollFd(), POLLIN, 0};
                if (::poll(&fd, 1, 20) <= 0)
                    continue;
                std::uint8_t buffer[64];
                const long long nRead = line.Read(buffer, sizeof buffer);
                const auto now = std::chrono::steady_clock::now();
                for (long long i = 0; i < nRead; ++i)
                    arrivals.push_back(now);
            }
        });
    const std::string strDevice = line.DevicePath();
    CClock& clock = CClock::Real();
    CDriverPort port([] { return CreateSerialPort(); },
                     [&](unsigned) {
                         return CPortResolution{strDevice, "test"};
                     },
                     clock);
    port.OpenDComm(1, 0, 9600);
    const std::vector<std::uint8_t> data(nBytes, 0xFF); // every byte escaped on the wire
    std::vector<double> gapsMs;
    for (auto _ : state)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // the settings' answers
        bStop = false;
        const std::size_t nBefore = arrivals.size();
        benchmark::DoNotOptimize(port.SendDStr(data.data(), nBytes));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        for (std::size_t i = nBefore + 1; i < arrivals.size(); ++i)
            gapsMs.push_back(
                std::chrono::duration<double, std::milli>(arrivals[i] - arrivals[i - 1]).count());
    }
    bStop = true;
    receiver.join();
    port.CloseDComm();
    if (gapsMs.empty())
    {
        state.SkipWithError("no bytes arrived");
        return;
    }
    std::sort(gapsMs.begin(), gapsMs.end());
    state.counters["gaps"] = static_cast<double>(gapsMs.size());
    state.counters["min_gap_ms"] = gapsMs.front();
    state.counters["median_gap_ms"] = gapsMs[gapsMs.size() / 2];
    state.counters["max_gap_ms"] = gapsMs.back();
}
#endif
} // namespace

BENCHMARK(BM_PacedSendGaps)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond);
#ifndef _WIN32
BENCHMARK(BM_PacedSendGapsOverRfc2217)->Arg(100)->Iterations(3)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK_MAIN();
