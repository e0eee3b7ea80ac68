#include "zgfdecoder.h"

#include <algorithm>

namespace {

Failure malformed(const QString &context, const QString &detail)
{
    return invalidZgfFormat(context + QStringLiteral(": ") + detail);
}

qint64 checkedPixelCount(int width, int height, const QString &context)
{
    if (width < 0 || height < 0)
        throw malformed(context, QStringLiteral("negative size %1 x %2").arg(width).arg(height));
    return qint64(width) * height;
}

void requireRawSize(QByteArrayView data, qint64 needed, const QString &context)
{
    if (data.size() < needed)
        throw malformed(context, QStringLiteral("data ends after %1 of %2 bytes").arg(data.size()).arg(needed));
}

// Calls put(x, y, channel, level, count) for every run, checking that the runs fill every
// row and channel exactly.
template <typename Put>
void readRuns(QByteArrayView data, int width, int height, int channels, const QString &context, Put put)
{
    checkedPixelCount(width, height, context);
    if (width == 0)
        return;
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    const auto *end = p + data.size();
    const auto endsEarly = [&](int y) {
        return malformed(context, QStringLiteral("RLE data ends early in row %1").arg(y));
    };
    for (int y = 0; y < height; ++y) {
        for (int channel = 0; channel < channels; ++channel) {
            int x = 0;
            while (x < width) {
                if (p == end)
                    throw endsEarly(y);
                int level = *p++;
                int count;
                if (level >= 32) {
                    count = level >> 5;
                    level &= 31;
                } else {
                    if (p == end)
                        throw endsEarly(y);
                    count = *p++;
                }
                if (count > width - x)
                    throw malformed(context, QStringLiteral("RLE run of %1 pixels overflows row %2 at column %3")
                                                 .arg(count).arg(y).arg(x));
                put(x, y, channel, quint8(level), count);
                x += count;
            }
        }
    }
}

} // namespace

Failure invalidZgfFormat(const QString &detail)
{
    return Failure::runtime(Failure::InvalidFileFormat, detail);
}

QList<quint16> decodeRawPixels16(QByteArrayView data, int width, int height, const QString &context)
{
    const qint64 count = checkedPixelCount(width, height, context);
    requireRawSize(data, count * 2, context);
    QList<quint16> pixels(count);
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    for (qint64 i = 0; i < count; ++i)
        pixels[i] = quint16(p[2 * i] | (p[2 * i + 1] << 8));
    return pixels;
}

QList<quint16> decodeRlePixels16(QByteArrayView data, int width, int height, const QString &context)
{
    QList<quint16> pixels(checkedPixelCount(width, height, context), quint16(1));
    quint16 *out = pixels.data();
    readRuns(data, width, height, 3, context, [&](int x, int y, int channel, quint8 level, int count) {
        const int shift = 11 - 5 * channel; // red 11, green 6, blue 1
        quint16 *row = out + qint64(y) * width + x;
        for (int i = 0; i < count; ++i)
            row[i] = quint16(row[i] | (level << shift));
    });
    return pixels;
}

QList<quint8> decodeRawLevels(QByteArrayView data, int width, int height, const QString &context)
{
    const qint64 count = checkedPixelCount(width, height, context);
    requireRawSize(data, count, context);
    QList<quint8> levels(count);
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    for (qint64 i = 0; i < count; ++i) {
        if (p[i] > 31)
            throw malformed(context, QStringLiteral("level %1 at (%2, %3) is above 31")
                                         .arg(p[i]).arg(i % width).arg(i / width));
        levels[i] = p[i];
    }
    return levels;
}

QList<quint8> decodeRleLevels(QByteArrayView data, int width, int height, const QString &context)
{
    QList<quint8> levels(checkedPixelCount(width, height, context), quint8(0));
    quint8 *out = levels.data();
    readRuns(data, width, height, 1, context, [&](int x, int y, int, quint8 level, int count) {
        std::fill_n(out + qint64(y) * width + x, count, level);
    });
    return levels;
}

qint64 minimumRleSize(int width, int height, int channels)
{
    const qint64 full = qMax(width, 0) / 255;
    const int rest = qMax(width, 0) % 255;
    const qint64 perRow = 2 * full + (rest == 0 ? 0 : rest <= 7 ? 1 : 2);
    return perRow * qMax(height, 0) * qMax(channels, 0);
}
