// The console's drawing library on this machine: a 100-character text with the 191 printable
// Windows-1252 characters at 10.5 pt (16 pixels high), RAW, RLE with the index and RLE without.
// items_per_second counts the cell pixels drawn, so 1e9 / items_per_second is nanoseconds
// per drawn pixel; the index must keep RLE within 3x of RAW.
#include "measuredfont.h"
#include "quietfeedback.h"
#include "rastersurface.h"
#include "texelfont.h"
#include "benchcharacters.h"
#include "windows1252.h"
#include "zgfbuilder.h"
#include "zgfdraw.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

QByteArray printableFont(bool rle)
{
    RasterSurface measure;
    RasterSurface work;
    TexelFont font;
    font.setChars(benchCharacters());
    font.setSize(10.5f);
    QuietFeedback feedback;
    return buildZgfFile(font, measureFont(font, measure), work, ZgfBuildInput{rle}, feedback);
}

// The first 100 printable characters: letters, digits and signs of every width.
QByteArray hundredCharacters()
{
    const QByteArray all = toWindows1252(benchCharacters());
    return all.left(100);
}

void drawHundred(benchmark::State &state, bool rle, bool indexed)
{
    const QByteArray data = printableFont(rle);
    zgf_font font;
    if (zgf_open(&font, data.constData(), size_t(data.size())) != ZGF_OK)
        qFatal("the font does not open");
    std::vector<quint32> index(zgf_index_size(&font) / 4);
    if (indexed && zgf_set_index(&font, index.data(), index.size() * 4) != ZGF_OK)
        qFatal("the index does not fit");
    const QByteArray text = hundredCharacters();
    const int width = zgf_text_width(&font, text.constData());
    const int height = zgf_text_height(&font, text.constData());
    std::vector<quint16> pixels(size_t(width) * size_t(height));
    const zgf_surface surface{pixels.data(), width, height, 1, width};
    qint64 cellPixels = 0;
    for (const char c : text)
        cellPixels += qint64(font.widths[font.index_of[quint8(c)]]) * font.height;
    for (auto _ : state) {
        zgf_draw_text(&font, &surface, 0, 0, text.constData());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * cellPixels);
    state.counters["index_bytes"] = double(zgf_index_size(&font));
    state.counters["height"] = font.height;
}

// clang-format off
void BM_DrawHundredRaw(benchmark::State &state) { drawHundred(state, false, false); }
void BM_DrawHundredRleIndexed(benchmark::State &state) { drawHundred(state, true, true); }
void BM_DrawHundredRleWithoutIndex(benchmark::State &state) { drawHundred(state, true, false); }
// clang-format on

} // namespace

BENCHMARK(BM_DrawHundredRaw);
BENCHMARK(BM_DrawHundredRleIndexed);
BENCHMARK(BM_DrawHundredRleWithoutIndex);
