// Measuring a whole character set and drawing its glyph strip on the raster surface, with
// the font already set up (the first measurement is done before timing), and both on new
// surfaces as one export does.
#include "measuredfont.h"
#include "rastersurface.h"
#include "texelfont.h"
#include "benchcharacters.h"

#include <benchmark/benchmark.h>

namespace {

void measure(benchmark::State &state, const QString &chars, float size)
{
    RasterSurface surface;
    TexelFont font;
    font.setChars(chars);
    font.setSize(size);
    GlyphMeasurement measured = measureFont(font, surface);
    for (auto _ : state)
        benchmark::DoNotOptimize(measured = measureFont(font, surface));
    state.counters["glyphs"] = double(measured.glyphs.size());
}

void BM_MeasureDefaultSet(benchmark::State &state)
{
    measure(state, TexelFont::defaultCharacterSet(), 9.75f);
}

void BM_MeasurePrintable72(benchmark::State &state)
{
    measure(state, benchCharacters(), 72.0f);
}

void BM_GenerateBitmapPrintable72(benchmark::State &state)
{
    RasterSurface surface;
    RasterSurface strip;
    TexelFont font;
    font.setChars(benchCharacters());
    font.setSize(72.0f);
    const GlyphMeasurement measured = measureFont(font, surface);
    const MeasuredFont strips(font, measured);
    strips.ZgfGenerateBitmap(strip);
    for (auto _ : state)
        strips.ZgfGenerateBitmap(strip);
    state.counters["width"] = strip.width();
}

// What one export draws, on surfaces that have drawn nothing yet: measuring, then the strip.
void measureAndGenerate(benchmark::State &state, const QString &chars, float size)
{
    for (auto _ : state) {
        RasterSurface surface;
        RasterSurface strip;
        TexelFont font;
        font.setChars(chars);
        font.setSize(size);
        MeasuredFont(font, measureFont(font, surface)).ZgfGenerateBitmap(strip);
        benchmark::DoNotOptimize(strip.scanLine(0));
    }
}

void BM_MeasureAndGenerateFreshDefaultSet(benchmark::State &state)
{
    measureAndGenerate(state, TexelFont::defaultCharacterSet(), 9.75f);
}

void BM_MeasureAndGenerateFreshPrintable72(benchmark::State &state)
{
    measureAndGenerate(state, benchCharacters(), 72.0f);
}

} // namespace

BENCHMARK(BM_MeasureDefaultSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasurePrintable72)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateBitmapPrintable72)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureAndGenerateFreshDefaultSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureAndGenerateFreshPrintable72)->Unit(benchmark::kMillisecond);
