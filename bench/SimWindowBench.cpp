// vfdsim's window: how soon a byte on the line is a painted picture, and
// what one repaint of a large window costs. The paint is the window's own
// (CDisplayView::PaintPicture into the buffer it copies to the screen); the
// copy to the screen is measured where a display is there to take it.
#include "DisplayView.h"
#include "SimTestSupport.h"
#include "Simulator.h"

#include <algorithm>
#include <condition_variable>
#include <fcntl.h>
#include <functional>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/init.h>

#include <benchmark/benchmark.h>

namespace
{
constexpr int kWide = 1920;
constexpr int kHigh = 400;

// Both lines full of text, a warning mark and an indicator: every dot paints.
CVirtualDisplay BusyDisplay()
{
    CVirtualDisplay display;
    for (int i = 0; i < kDisplayRows * kDisplayColumns; ++i)
        display.WriteCharacter(static_cast<std::uint8_t>('A' + i % 26));
    display.SetWarning(1, 7);
    display.SetIndicator(2);
    return display;
}

std::optional<CConsoleFont> DefaultFont()
{
    std::string strError;
    return CConsoleFont::Load(CConsoleFont::kDefaultPath, strError);
}

void BM_FullRepaint1920x400(benchmark::State& state)
{
    const auto font = DefaultFont();
    const CScreenPainter painter(font ? &*font : nullptr);
    const CVirtualDisplay display = BusyDisplay();
    for (auto _ : state)
    {
        CPixelCanvas canvas(kWide, kHigh, CScreenPainter::kGlass);
        CDisplayView::PaintPicture(painter, display, {.m_bCursor = true}, canvas);
        benchmark::DoNotOptimize(canvas.Rgb().data());
    }
}
BENCHMARK(BM_FullRepaint1920x400)->Unit(benchmark::kMillisecond);

// The paint and the conversion to a bitmap the screen takes (needs a display).
void BM_FullRepaintToBitmap1920x400(benchmark::State& state)
{
    const auto font = DefaultFont();
    const CScreenPainter painter(font ? &*font : nullptr);
    const CVirtualDisplay display = BusyDisplay();
    for (auto _ : state)
    {
        CPixelCanvas canvas(kWide, kHigh, CScreenPainter::kGlass);
        CDisplayView::PaintPicture(painter, display, {.m_bCursor = true}, canvas);
        const wxImage image(kWide, kHigh, const_cast<unsigned char*>(canvas.Rgb().data()), true);
        const wxBitmap bitmap(image);
        benchmark::DoNotOptimize(bitmap.IsOk());
    }
}

// The simulator serving a pseudo-terminal on its own thread, watched as
// the window watches it, and the window's paint of what it hands over.
class CWatchedSimulator
{
public:
    CWatchedSimulator()
        : m_live(
              [this]
              {
                  const std::lock_guard lock(m_mutex);
                  m_published.notify_all();
              }),
          m_font(DefaultFont()), m_painter(m_font ? &*m_font : nullptr)
    {
        std::string strError;
        if (!m_simulator.Start(strError) || ::pipe2(m_stop, O_CLOEXEC) != 0)
            return;
        m_simulator.AttachLive(m_live);
        m_nPort =
            ::open(m_simulator.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        m_thread = std::thread([this] { m_simulator.Run(m_stop[0]); });
    }
    ~CWatchedSimulator()
    {
        if (m_thread.joinable())
        {
            const char c = 1;
            [[maybe_unused]] const auto n = ::write(m_stop[1], &c, 1);
            m_thread.join();
        }
        for (const int fd : {m_nPort, m_stop[0], m_stop[1]})
            if (fd >= 0)
                ::close(fd);
    }
    bool Ok() const { return m_nPort >= 0 && m_thread.joinable(); }
    const CLiveScreen& Live() const { return m_live; }

    // Sends the bytes, waits for the state that passes and paints it; the
    // milliseconds from the write to the painted picture, or -1.
    double SendAndPaint(const Bytes& bytes, const std::function<bool(const CLiveState&)>& passes)
    {
        char drain[4096]; // the replies to a download, read so they never fill the line
        while (::read(m_nPort, drain, sizeof drain) > 0)
        {
        }
        const auto start = std::chrono::steady_clock::now();
        if (::write(m_nPort, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            return -1;
        CLiveState seen;
        bool bSeen = false;
        {
            std::unique_lock lock(m_mutex);
            bSeen = m_published.wait_for(lock, std::chrono::seconds(2),
                                         [&]
                                         {
                                             seen = m_live.Latest();
                                             return passes(seen);
                                         });
        }
        if (!bSeen)
            return -1;
        CPixelCanvas canvas(kWide, kHigh, CScreenPainter::kGlass);
        CDisplayView::PaintPicture(m_painter, seen.m_display, {.m_bCursor = true}, canvas);
        benchmark::DoNotOptimize(canvas.Rgb().data());
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - start;
        return elapsed.count();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_published;
    CLiveScreen m_live;
    CSimulator m_simulator{CSimOptions{}};
    std::optional<CConsoleFont> m_font;
    CScreenPainter m_painter;
    int m_stop[2] = {-1, -1};
    int m_nPort = -1;
    std::thread m_thread;
};

void ReportLatencies(benchmark::State& state, std::vector<double>& latencies)
{
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty())
        return;
    state.counters["median_ms"] = latencies[latencies.size() / 2];
    state.counters["p99_ms"] = latencies[latencies.size() * 99 / 100];
}

// One character on the line (the cursor homed first, so every byte changes
// the screen) to the window's picture of it at 1920 x 400: the simulator on
// its own thread, the hand-over, the watcher's paint.
void BM_ByteToPaintedPicture(benchmark::State& state)
{
    CWatchedSimulator sim;
    if (!sim.Ok())
        return state.SkipWithError("the simulator did not start");
    std::vector<double> latencies;
    std::uint8_t nCode = 'A';
    for (auto _ : state)
    {
        const std::uint64_t nBefore = sim.Live().Latest().m_display.Changes();
        const Bytes bytes = {0x0B, nCode}; // home, then the character
        nCode = nCode == 'Z' ? 'A' : nCode + 1;
        const double dMs = sim.SendAndPaint(bytes,
                                            [&](const CLiveState& s) {
                                                return s.m_display.Changes() >= nBefore + 2 &&
                                                       s.m_display.Cell(0, 0).m_nCode == bytes[1];
                                            });
        if (dMs < 0)
            return state.SkipWithError("the change never came");
        state.SetIterationTime(dMs / 1e3);
        latencies.push_back(dMs);
    }
    ReportLatencies(state, latencies);
}
BENCHMARK(BM_ByteToPaintedPicture)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(500);

// While a download runs: each data frame of 200 bytes to the window's
// picture of its progress (the replies answered at once, no pacing).
void BM_DownloadFrameToPaintedPicture(benchmark::State& state)
{
    CWatchedSimulator sim;
    if (!sim.Ok())
        return state.SkipWithError("the simulator did not start");
    const auto nFrames = static_cast<std::uint32_t>(state.max_iterations);
    if (sim.SendAndPaint(HeaderFrame(nFrames * 200 + 200),
                         [](const CLiveState& s) { return s.m_bDownloading; }) < 0)
        return state.SkipWithError("the download did not start");
    std::vector<double> latencies;
    // The frames made before the clock runs; they alternate their sequence.
    // (Built in place: GCC 12 takes the helper's insert, inlined here, for
    // an overrun.)
    Bytes frames[2];
    for (int i = 0; i < 2; ++i)
    {
        frames[i].assign(205, 0x5A);
        frames[i][0] = 0x1B;
        frames[i][1] = 205;
        frames[i][2] = 0x01;
        frames[i][3] = i == 0 ? 2 : 1;
        frames[i][204] = XorOf(frames[i], 203); // the last data byte left out
    }
    std::size_t nSent = 0;
    for (auto _ : state)
    {
        nSent += 200;
        const double dMs =
            sim.SendAndPaint(frames[nSent / 200 % 2 == 1 ? 0 : 1],
                             [&](const CLiveState& s) { return s.m_nReceived >= nSent; });
        if (dMs < 0)
        {
            const auto tail = sim.Live().Latest().m_tail;
            const std::string strError =
                "the frame never showed: " + (tail.empty() ? std::string() : tail.back());
            return state.SkipWithError(strError.c_str());
        }
        state.SetIterationTime(dMs / 1e3);
        latencies.push_back(dMs);
    }
    ReportLatencies(state, latencies);
}
BENCHMARK(BM_DownloadFrameToPaintedPicture)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);
// A new state handed to the window's display view at 1920 x 400 until it
// has painted on the screen: the repaint as the window does it, bitmap and
// copy included (needs a display).
void BM_WindowRepaint1920x400(benchmark::State& state)
{
    const auto font = DefaultFont();
    auto* pFrame = new wxFrame(nullptr, wxID_ANY, "bench");
    auto* pView = new CDisplayView(pFrame, font ? &*font : nullptr);
    pFrame->SetClientSize(kWide, kHigh);
    pView->SetSize(kWide, kHigh);
    pFrame->Show();
    wxYield();
    CLiveState live;
    live.m_display = BusyDisplay();
    for (auto _ : state)
    {
        live.m_display.SetReverse(live.m_display.Reverse() ? 0 : 1); // a change to show
        const std::uint64_t nBefore = pView->Paints();
        pView->SetState(live);
        while (pView->Paints() == nBefore)
            wxYield();
    }
    pFrame->Destroy();
    wxYield();
}
} // namespace

int main(int argc, char** argv)
{
    // The bitmap needs a display; without one that benchmark is left out.
    wxApp::SetInstance(new wxApp);
    wxInitializer wx(argc, argv);
    if (wx.IsOk())
    {
        benchmark::RegisterBenchmark("BM_FullRepaintToBitmap1920x400",
                                     BM_FullRepaintToBitmap1920x400)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark("BM_WindowRepaint1920x400", BM_WindowRepaint1920x400)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
