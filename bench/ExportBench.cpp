// The C array export of a 64 MiB font. Target: at least 200 MB/s of output
// text (the records are gathered and written in large blocks).
#include "CArrayExport.h"
#include "RecordingUserInterface.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <benchmark/benchmark.h>

namespace
{
namespace fs = std::filesystem;

void BM_ExportFont64MiB(benchmark::State& state)
{
    const unsigned nWidth = static_cast<unsigned>(state.range(0));
    const unsigned nHeight = static_cast<unsigned>(state.range(1));
    const fs::path dir =
        fs::temp_directory_path() / ("vfd_bench_export_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path font = dir / "font.bin";
    {
        std::string block(1 << 20, '\0');
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = static_cast<char>(i * 37 % 256);
        std::ofstream out(font, std::ios::binary);
        for (int i = 0; i < 64; ++i)
            out << block;
    }

    CRecordingUserInterface ui;
    CTypeloomDoc doc(ui);
    doc.SetPathName(font.string());
    doc.SetGlyphSize(nWidth, nHeight);
    const fs::path target = dir / "font.c";
    std::uintmax_t nBytes = 0;
    for (auto _ : state)
    {
        ui.m_fileAnswers.push_back(target.string());
        if (ExportCArray(doc) != EExportResult::Written)
        {
            state.SkipWithError("export failed");
            break;
        }
        nBytes += fs::file_size(target);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(nBytes));
    fs::remove_all(dir);
}
// 16 x 16 (2 Mi glyphs) and 8 x 16 (4 Mi glyphs, the most records).
BENCHMARK(BM_ExportFont64MiB)
    ->Args({16, 16})
    ->Args({8, 16})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
} // namespace

BENCHMARK_MAIN();
