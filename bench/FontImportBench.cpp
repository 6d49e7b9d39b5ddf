// Fonts in and shown: a console font, a whole Unicode plane from an outline
// font, and a preview picture.
#include "FontImport.h"
#include "FontPreview.h"
#include "PngEncoder.h"
#include "SourceFile.h"

#include <cstdio>
#include <filesystem>

#include <benchmark/benchmark.h>

namespace
{
const char* const kPsf512 = "/usr/share/consolefonts/Uni2-VGA16.psf.gz";
const char* const kTtf = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";

std::vector<std::uint8_t> ReadOrSkip(benchmark::State& state, const char* pszPath)
{
    std::string strError;
    auto bytes = ReadFontSourceFile(pszPath, 64u << 20, strError);
    if (!bytes)
        state.SkipWithError(strError.c_str());
    return bytes.value_or(std::vector<std::uint8_t>{});
}

// The file's bytes as read from disk (compressed) to the font file's bytes:
// inflating, parsing and placing the 512 glyphs.
void BM_ImportPsf512(benchmark::State& state)
{
    std::FILE* pFile = std::fopen(kPsf512, "rb");
    if (!pFile)
    {
        state.SkipWithError("no console font");
        return;
    }
    std::vector<std::uint8_t> gz(std::filesystem::file_size(kPsf512));
    const std::size_t nRead = std::fread(gz.data(), 1, gz.size(), pFile);
    std::fclose(pFile);
    gz.resize(nRead);
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    options.m_nCount = 512;
    for (auto _ : state)
    {
        std::string strError;
        const auto bytes = Gunzip(gz, 8u << 20, strError);
        auto source = CFontSource::Open(*bytes, {}, strError);
        CImportReport report;
        auto font = ImportFont(*source, options, report, strError);
        benchmark::DoNotOptimize(font);
    }
}
BENCHMARK(BM_ImportPsf512)->Unit(benchmark::kMillisecond);

// Every code of the Basic Multilingual Plane at 16 px into 16 x 16 cells.
void BM_ImportTrueType65536(benchmark::State& state)
{
    const auto bytes = ReadOrSkip(state, kTtf);
    CSourceOptions sourceOptions;
    sourceOptions.m_nPixelSize = 16;
    sourceOptions.m_nFitHeight = 16;
    CImportOptions options;
    options.m_nWidth = 16;
    options.m_nHeight = 16;
    options.m_nCount = 65536;
    std::uint32_t nImported = 0;
    for (auto _ : state)
    {
        std::string strError;
        auto source = CFontSource::Open(bytes, sourceOptions, strError);
        CImportReport report;
        auto font = ImportFont(*source, options, report, strError);
        nImported = report.m_nImported;
        benchmark::DoNotOptimize(font);
    }
    state.counters["glyphs_imported"] = nImported;
}
BENCHMARK(BM_ImportTrueType65536)->Unit(benchmark::kMillisecond);

// 40 characters of an 8 x 16 font laid out, painted and written as a PNG.
void BM_Preview40ToPng(benchmark::State& state)
{
    const auto bytes = ReadOrSkip(state, kPsf512);
    std::string strError;
    auto source = CFontSource::Open(bytes, {}, strError);
    CImportOptions options;
    options.m_nWidth = 8;
    options.m_nHeight = 16;
    CImportReport report;
    const auto font = ImportFont(*source, options, report, strError);
    const std::string strPath =
        (std::filesystem::temp_directory_path() / "vfd_preview_bench.png").string();
    for (auto _ : state)
    {
        const auto codes = TextCodes("TOTAL          12.50CHANGE          7.50", "", strError);
        bool bCut = false;
        const CFontPreview preview(*font, 8, 16);
        const CPixelCanvas picture = preview.Paint(LayOutText(*codes, bCut), 1);
        WritePng(strPath, picture.Width(), picture.Height(), picture.Rgb().data());
    }
    std::filesystem::remove(strPath);
}
BENCHMARK(BM_Preview40ToPng)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
