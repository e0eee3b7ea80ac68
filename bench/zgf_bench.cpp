// Throughput of the two ZGF image coders on a 4096 x 255 strip, in pixels per second
// (items_per_second): a glyph-like strip (runs of background and ink) and a worst case
// where every pixel differs from its neighbour.
#include "feedback.h"
#include "rastersurface.h"
#include "zgfencoder.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <random>

namespace {

constexpr int Width = 4096;
constexpr int Height = 255;

// Cells 20 to 90 pixels wide with one to three black strokes per row, on the green
// transparent colour, as a rendered glyph strip looks.
QImage glyphImage()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(0x00FF00);
    std::mt19937 random(1);
    for (int cell = 0; cell < Width;) {
        const int width = 20 + int(random() % 71);
        for (int y = 20; y < Height - 40; ++y) {
            for (int stroke = 0, n = 1 + int(random() % 3); stroke < n; ++stroke) {
                const int start = cell + int(random() % quint32(width));
                const int length = 2 + int(random() % 12);
                for (int x = start; x < qMin(start + length, qMin(cell + width, Width)); ++x)
                    image.setPixel(x, y, 0);
            }
        }
        cell += width;
    }
    return image;
}

QImage noiseImage()
{
    QImage image(Width, Height, QImage::Format_RGB32);
    std::mt19937 random(2);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x)
            image.setPixel(x, y, pixelFromColor(Color(random() & 0xFFFFFF)));
    }
    return image;
}

// The picture on the program's surface, loaded as an edited bitmap is.
std::unique_ptr<RasterSurface> loaded(const QImage &image)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("strip.bmp"));
    if (!image.save(path, "BMP"))
        qFatal("cannot write %s", qPrintable(path));
    auto surface = std::make_unique<RasterSurface>();
    surface->setSize(image.width(), image.height());
    surface->loadPicture(path);
    return surface;
}

const RasterSurface &glyphStrip()
{
    static const std::unique_ptr<RasterSurface> strip = loaded(glyphImage());
    return *strip;
}

const RasterSurface &noiseStrip()
{
    static const std::unique_ptr<RasterSurface> strip = loaded(noiseImage());
    return *strip;
}

template <auto Encode>
void encodeStrip(benchmark::State &state, const RasterSurface &strip, int channels)
{
    QByteArray out;
    out.reserve(Width * Height * 4);
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    SilentFeedback feedback;
    for (auto _ : state) {
        buffer.seek(0);
        Encode(buffer, strip, channels, false, feedback);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * Width * Height);
    state.counters["bytes"] = double(buffer.pos());
}

// clang-format off
void RleGlyphStrip(benchmark::State &state) { encodeStrip<RLEEncodeBitmap16>(state, glyphStrip(), 3); }
void RleMaskStrip(benchmark::State &state) { encodeStrip<RLEEncodeBitmap16>(state, glyphStrip(), 1); }
void RleNoise(benchmark::State &state) { encodeStrip<RLEEncodeBitmap16>(state, noiseStrip(), 3); }
void RawGlyphStrip(benchmark::State &state) { encodeStrip<RAWEncodeBitmap16>(state, glyphStrip(), 3); }
void RawMaskStrip(benchmark::State &state) { encodeStrip<RAWEncodeBitmap16>(state, glyphStrip(), 1); }
// clang-format on

} // namespace

BENCHMARK(RleGlyphStrip)->Unit(benchmark::kMillisecond);
BENCHMARK(RleMaskStrip)->Unit(benchmark::kMillisecond);
BENCHMARK(RleNoise)->Unit(benchmark::kMillisecond);
BENCHMARK(RawGlyphStrip)->Unit(benchmark::kMillisecond);
BENCHMARK(RawMaskStrip)->Unit(benchmark::kMillisecond);
