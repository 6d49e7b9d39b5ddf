// The editor's download of an 8 KiB font against vfdsim, in real time,
// directly and through ser2net with RFC 2217 (the port server of the
// tills). The floor is one 500 ms pause a frame; a pseudo-terminal has no
// line time of its own, so everything above the pauses is our own overhead
// and, through ser2net, the network's.
#include "DownloadDlg.h"
#include "FakeControls.h"
#include "RecordingUserInterface.h"
#include "Ser2netProcess.h"
#include "VfdsimProcess.h"

#include <chrono>
#include <optional>

#include <benchmark/benchmark.h>

namespace
{
void Download8KiB(benchmark::State& state, bool bThroughSer2net)
{
    constexpr std::size_t kLength = 8192;
    CVfdsimProcess sim;
    if (!sim.Start(9))
    {
        state.SkipWithError("vfdsim did not start");
        return;
    }
    std::optional<CSer2netProcess> server;
    if (bThroughSer2net)
    {
        if (CSer2netProcess::Program().empty())
        {
            state.SkipWithError("ser2net is not installed");
            return;
        }
        server.emplace(sim.Dir(), sim.Device());
        if (!server->IsUp())
        {
            state.SkipWithError("ser2net did not start");
            return;
        }
        ::setenv("VFDKIT_COM9", server->Rfc2217().c_str(), 1);
    }
    const auto path = sim.Dir() / "font8k.fnt";
    std::ofstream(path, std::ios::binary) << std::string(kLength, '\x5A');

    CFakeControls controls;
    controls.SetItems(IDC_SERIAL_PORT,
                      {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"});
    CRecordingUserInterface ui;
    CDownloadDlg dlg(controls, ui); // the real clock
    dlg.m_strFilePath = path.string();
    dlg.OnInitDialog();
    controls.SetValue(IDC_SERIAL_PORT, 8);

    const double nFrames = kLength / 250 + 2;
    const double nFloor = nFrames * 0.5;
    double nSeconds = 0;
    for (auto _ : state)
    {
        const auto start = std::chrono::steady_clock::now();
        dlg.OnDownload();
        nSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (ui.Texts().empty() || ui.Texts().back() != kMsgDownloadOk)
    {
        state.SkipWithError("the transfer did not end with Download OK!");
        return;
    }
    // On a real 9600-baud line each byte adds 10 bits of line time.
    const double nLineBytes = 12 + 32 * 255 + (kLength % 250 + 5) + nFrames * 5;
    state.counters["frames"] = nFrames;
    state.counters["floor_s"] = nFloor;
    state.counters["took_s"] = nSeconds;
    state.counters["over_floor_%"] = (nSeconds - nFloor) / nFloor * 100;
    state.counters["line_9600_s"] = nLineBytes * 10 / 9600;
}

void BM_Download8KiBAgainstVfdsim(benchmark::State& state)
{
    Download8KiB(state, false);
}

void BM_Download8KiBThroughSer2netRfc2217(benchmark::State& state)
{
    Download8KiB(state, true);
}
} // namespace

BENCHMARK(BM_Download8KiBAgainstVfdsim)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_Download8KiBThroughSer2netRfc2217)
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

BENCHMARK_MAIN();
