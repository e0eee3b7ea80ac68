// A whole ZGF export of the 191 printable Windows-1252 characters at 72 pt, RLE with a
// mask: measuring, the edited glyph and mask bitmaps read back, coding, writing.
#include "postprocessbitmaps.h"
#include "quietfeedback.h"
#include "measuredfont.h"
#include "rastersurface.h"
#include "texelfont.h"
#include "benchcharacters.h"
#include "zgfbuilder.h"
#include "zgfexport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_ExportPrintable72RleMasked(benchmark::State &state)
{
    QTemporaryDir dir;
    RasterSurface measure;
    RasterSurface work;
    TexelFont font;
    font.setChars(benchCharacters());
    font.setSize(72.0f);
    font.Postprocessed = true;
    font.Masked = true;
    font.MaskWidthInc = 2;
    font.MaskHeightInc = 2;
    QuietFeedback feedback;
    const PostprocessOptions bitmaps{dir.filePath(QStringLiteral("g.bmp")), dir.filePath(QStringLiteral("g_mask.bmp")),
                                     1};
    ExportPostprocessBitmaps(font, work, bitmaps, feedback);
    for (auto _ : state) {
        // The export measures the document each time.
        ZgfExportOptions options;
        options.zgfFileName = dir.filePath(QStringLiteral("f.zgf"));
        options.bitmapFileName = bitmaps.bitmapFileName;
        options.maskFileName = bitmaps.maskFileName;
        benchmark::DoNotOptimize(ExportZgfFont(font, work, options, feedback));
    }
}

// The sizes the export dialog shows, once the document is measured: the glyph image drawn
// once and coded RAW and RLE.
void BM_SizeBudgetPrintable72(benchmark::State &state)
{
    RasterSurface measure;
    RasterSurface work;
    TexelFont font;
    font.setChars(benchCharacters());
    font.setSize(72.0f);
    const GlyphMeasurement measured = measureFont(font, measure);
    for (auto _ : state)
        benchmark::DoNotOptimize(zgfSizeBudget(font, measured, work, ZgfBuildInput{}));
}

} // namespace

BENCHMARK(BM_ExportPrintable72RleMasked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SizeBudgetPrintable72)->Unit(benchmark::kMillisecond);
