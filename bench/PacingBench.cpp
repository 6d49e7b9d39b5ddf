// The driver's byte pacing in real time: every paced byte must be followed
// by at least 20.000 ms before the next byte (or the return), the median gap
// within 0.1 ms of it. The bytes go to a sink port that stamps each write
// with the real clock, so only the pacing itself is measured.
#include "DriverPort.h"
#include "FakeSerialPort.h"

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
} // namespace

BENCHMARK(BM_PacedSendGaps)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
