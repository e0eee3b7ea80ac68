// The redraw after a size change in the main window: measuring the document again, then
// drawing the font sheet and the sample on their raster surfaces.
#include "fontsheetpainter.h"
#include "samplepainter.h"

#include "measuredfont.h"
#include "rastersurface.h"
#include "texelfont.h"

#include <benchmark/benchmark.h>

namespace {

void redraw(benchmark::State &state, float size)
{
    RasterSurface measuring;
    RasterSurface sheet;
    RasterSurface sample;
    TexelFont font;
    font.setSize(size);
    sample.setSize(1000, 600);
    sample.setBackColor(0xFFFFFF);
    for (auto _ : state) {
        const GlyphMeasurement measured = measureFont(font, measuring); // what a new size does
        FontSheetPainter::draw(font, measured, sheet, 1000, 140);
        SamplePainter::draw(font, measured, sample);
    }
    state.counters["sheetWidth"] = sheet.width();
}

void BM_RedrawDefaultSet72(benchmark::State &state)
{
    redraw(state, 72.0f);
}

void BM_RedrawDefaultSet975(benchmark::State &state)
{
    redraw(state, 9.75f);
}

} // namespace

BENCHMARK(BM_RedrawDefaultSet72)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawDefaultSet975)->Unit(benchmark::kMillisecond);
