// The glyph cycle of measuring a font on the raster surface: for every character, size the
// surface to the glyph plus a space-wide margin, clear it, draw " " + c and find the ink.
#include "rastersurface.h"
#include "texelfont.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QString printableSet()
{
    QString text;
    for (ushort c = 0x20; c <= 0xFF; ++c) {
        if (c < 0x7F || c >= 0xA0)
            text.append(QChar(c));
    }
    return text;
}

struct GlyphSet
{
    QString chars;
    float size;
};

GlyphSet defaultSet()
{
    return {TexelFont::glyphSequence(TexelFont::defaultCharacterSet()), 9.75f};
}

GlyphSet printable72()
{
    return {printableSet(), 72.0f};
}

// Rows and columns of the first and last pixel that differs from the background, read once
// through the scan lines.
int inkExtent(const quint32 *const *rows, int width, int height, quint32 background)
{
    int top = -1;
    int bottom = -1;
    int left = width;
    int right = -1;
    for (int y = 0; y < height; ++y) {
        const quint32 *row = rows[y];
        int x = 0;
        while (x < width && row[x] == background)
            ++x;
        if (x == width)
            continue;
        int last = width - 1;
        while (row[last] == background)
            --last;
        top = top < 0 ? y : top;
        bottom = y;
        left = std::min(left, x);
        right = std::max(right, last);
    }
    return top < 0 ? 0 : (bottom - top + 1) * (right - left + 1);
}

void measureAll(RasterSurface &s, const QString &chars, std::vector<const quint32 *> &rows)
{
    const int space = int(std::lround(s.textWidth(QStringLiteral(" "))));
    const int height = int(std::lround(s.textHeight(QStringLiteral("X"))));
    const quint32 background = pixelFromColor(s.backColor());
    rows.resize(height);
    for (const QChar c : chars) {
        const QString text(c);
        s.setSize(int(std::lround(s.textWidth(text))) + 2 * space, height);
        s.clear();
        s.drawText(QLatin1Char(' ') + text);
        for (int y = 0; y < height; ++y)
            rows[y] = s.scanLine(y);
        benchmark::DoNotOptimize(inkExtent(rows.data(), s.width(), height, background));
    }
}

SurfaceFont fontOf(const GlyphSet &set)
{
    return SurfaceFont{QStringLiteral("Liberation Sans"), set.size};
}

// The font set up once, as when the same document is measured again.
void BM_GlyphCycle(benchmark::State &state, GlyphSet (*makeSet)())
{
    const GlyphSet set = makeSet();
    RasterSurface s;
    s.setFont(fontOf(set));
    s.setBackColor(0x00FF00);
    s.setForeColor(0);
    std::vector<const quint32 *> rows;
    for (auto _ : state)
        measureAll(s, set.chars, rows);
    state.SetItemsProcessed(state.iterations() * set.chars.size());
}

// A change of font first, so nothing the surface remembered about the font helps.
void BM_GlyphCycleAfterFontChange(benchmark::State &state, GlyphSet (*makeSet)())
{
    const GlyphSet set = makeSet();
    RasterSurface s;
    s.setBackColor(0x00FF00);
    s.setForeColor(0);
    std::vector<const quint32 *> rows;
    for (auto _ : state) {
        s.setFont(SurfaceFont{QStringLiteral("Liberation Sans"), set.size, true});
        s.setFont(fontOf(set));
        measureAll(s, set.chars, rows);
    }
    state.SetItemsProcessed(state.iterations() * set.chars.size());
}

// For comparison: a plain program that paints each glyph on a new image with a new painter.
void BM_PlainQPainter(benchmark::State &state, GlyphSet (*makeSet)())
{
    const GlyphSet set = makeSet();
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(std::lround(set.size * 96.0 / 72.0)));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetricsF metrics(font);
    const int space = int(std::lround(metrics.horizontalAdvance(QStringLiteral(" "))));
    const int height = int(std::lround(metrics.ascent() + metrics.descent()));
    const quint32 background = 0xff00ff00u;
    std::vector<const quint32 *> rows(height);
    for (auto _ : state) {
        for (const QChar c : set.chars) {
            const int width = int(std::lround(metrics.horizontalAdvance(c))) + 2 * space;
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(background);
            QPainter painter(&image);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(0, metrics.ascent()), QLatin1Char(' ') + c);
            painter.end();
            for (int y = 0; y < height; ++y)
                rows[y] = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            benchmark::DoNotOptimize(inkExtent(rows.data(), width, height, background));
        }
    }
    state.SetItemsProcessed(state.iterations() * set.chars.size());
}

} // namespace

BENCHMARK_CAPTURE(BM_GlyphCycle, default_130_at_9_75pt, defaultSet)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlyphCycle, printable_191_at_72pt, printable72)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlyphCycleAfterFontChange, default_130_at_9_75pt, defaultSet)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GlyphCycleAfterFontChange, printable_191_at_72pt, printable72)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainQPainter, default_130_at_9_75pt, defaultSet)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlainQPainter, printable_191_at_72pt, printable72)
    ->Unit(benchmark::kMillisecond);
