// A fully lit 32 x 32 page painted by the character map and the glyph grid
// on the pixel canvas: the worst case of the repaint after every click and
// page step. Target: under 5 ms each.
#include "CharMap.h"
#include "FakeControlHost.h"
#include "GlyphGrid.h"
#include "PixelCanvas.h"

#include <benchmark/benchmark.h>

namespace
{
void BM_CharMapPaintLitPage(benchmark::State& state)
{
    CFakeControlHost host{{CCharMap::kWidth, CCharMap::kHeight}};
    CRecordingMessageTarget parent;
    CCharMap map(host, parent);
    map.SetGlyphSize(32, 32);
    map.m_pageBits.fill(0xFF);
    map.m_changed.fill(1);
    CPixelCanvas canvas(CCharMap::kWidth, CCharMap::kHeight);
    for (auto _ : state)
    {
        map.OnPaint(canvas);
        benchmark::DoNotOptimize(canvas.Rgb().data());
    }
}
BENCHMARK(BM_CharMapPaintLitPage)->Unit(benchmark::kMillisecond);

void BM_GlyphGridPaintLitGlyph(benchmark::State& state)
{
    // The grid's client area on the form: 256 x 237 dialog units.
    CFakeControlHost host{{384, 385}};
    CRecordingMessageTarget parent;
    CGlyphGrid grid(host, parent);
    grid.SetGlyphSize(32, 32);
    grid.m_glyph.m_bits.fill(0xFF);
    CPixelCanvas canvas(384, 385);
    for (auto _ : state)
    {
        grid.OnPaint(canvas);
        benchmark::DoNotOptimize(canvas.Rgb().data());
    }
}
BENCHMARK(BM_GlyphGridPaintLitGlyph)->Unit(benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
