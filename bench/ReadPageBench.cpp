// Page reads of a 32 x 32 font with the change list laid over them.
// Target: under 1 ms a page with 100,000 change entries.
#include "RecordingUserInterface.h"
#include "TypeloomDoc.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace
{
void BM_ReadPage32x32(benchmark::State& state)
{
    namespace fs = std::filesystem;
    const auto path = fs::temp_directory_path() / ("vfd_bench_font_" + std::to_string(::getpid()));
    constexpr std::uint32_t kGlyphs = 64 * 256; // 64 pages of 32 x 32
    {
        std::ofstream out(path, std::ios::binary);
        std::string page(256 * 128, '\x5A');
        for (int i = 0; i < 64; ++i)
            out << page;
    }

    CRecordingUserInterface ui;
    CTypeloomDoc doc(ui);
    doc.OnOpenDocument(path.string());
    doc.SetGlyphSize(32, 32);

    // Commits spread over the whole font, as a long editing session makes them.
    std::mt19937 rng(42);
    CGlyph glyph;
    glyph.m_nWidth = glyph.m_nHeight = 32;
    for (long i = 0; i < state.range(0); ++i)
    {
        glyph.m_nCode = rng() % kGlyphs;
        glyph.m_bits.fill(static_cast<std::uint8_t>(i));
        doc.AddChange(glyph);
    }

    std::vector<std::uint8_t> page(kPageBufferBytes), flags(256);
    std::uint32_t nPage = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(doc.ReadPage(nPage * 256, page.data(), flags.data()));
        nPage = (nPage + 1) % 64;
    }
    fs::remove(path);
}
} // namespace

BENCHMARK(BM_ReadPage32x32)->Arg(0)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
