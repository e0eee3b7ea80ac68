#include "zgfencoder.h"

#include "failure.h"
#include "fileerrors.h"
#include "progressmeter.h"
#include "surface.h"
#include "zgfpixel.h"

#include <QFileDevice>

#include <cstring>
#include <vector>

namespace {

void writeBytes(QIODevice &device, const char *data, qint64 size)
{
    if (auto *file = qobject_cast<QFileDevice *>(&device)) {
        writeAll(*file, data, size);
        return;
    }
    if (device.write(data, size) != size)
        throw Failure::runtime(Failure::DeviceIO);
}

// Bit position of a channel's level in a scan-line pixel 0xffRRGGBB (channels 1..3).
int levelShift(int channel)
{
    return channel == 1 ? 19 : channel == 2 ? 11 : 3;
}

// Appends one run by the run table; returns the new end.
inline uchar *putRun(uchar *out, uchar level, int count)
{
    while (count > 255) {
        *out++ = level;
        *out++ = 255;
        count -= 255;
    }
    if (count > 7) {
        *out++ = level;
        *out++ = uchar(count);
    } else {
        *out++ = uchar(count * 32 + level);
    }
    return out;
}

struct PixelRun
{
    quint32 pixel;
    int length;
};

// The first column from x on whose pixel is not pixel (or width), four pixels a step.
int runEnd(const quint32 *line, int x, int width, quint32 pixel)
{
    const quint64 two = quint64(pixel) << 32 | pixel;
    for (; x + 4 <= width; x += 4) {
        quint64 a, b;
        std::memcpy(&a, line + x, sizeof a);
        std::memcpy(&b, line + x + 2, sizeof b);
        if (((a ^ two) | (b ^ two)) != 0)
            break;
    }
    while (x < width && line[x] == pixel)
        ++x;
    return x;
}

// Splits a row into runs of equal pixels; returns how many.
qsizetype pixelRuns(const quint32 *line, int width, PixelRun *runs)
{
    qsizetype count = 0;
    for (int x = 0; x < width;) {
        const int end = runEnd(line, x + 1, width, line[x]);
        runs[count++] = {line[x], end - x};
        x = end;
    }
    return count;
}

} // namespace

void RAWEncodeBitmap16(QIODevice &file, const Surface &bitmap, int channels, bool invert, Feedback &feedback)
{
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (width <= 0 || height <= 0)
        return;
    ProgressMeter progress(feedback, height);
    const bool mask = channels == 1;
    std::vector<uchar> row(size_t(width) * (mask ? 1 : 2));
    for (int y = 0; y < height; ++y) {
        progress.setDone(y + 1);
        const quint32 *line = bitmap.scanLine(y);
        uchar *out = row.data();
        if (mask) {
            for (int x = 0; x < width; ++x) {
                const uchar level = uchar((line[x] >> 19) & 31u);
                *out++ = invert ? uchar(31 - level) : level;
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const quint16 pixel = scanPixelToPixel16(line[x]) | 1u;
                *out++ = uchar(pixel);
                *out++ = uchar(pixel >> 8);
            }
        }
        writeBytes(file, reinterpret_cast<const char *>(row.data()), qint64(row.size()));
    }
}

void RLEEncodeBitmap16(QIODevice &file, const Surface &bitmap, int channels, bool invert, Feedback &feedback)
{
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (width <= 0 || height <= 0)
        return;
    const int channelCount = qMax(channels, 0);
    ProgressMeter progress(feedback, qint64(height) * channelCount);
    // A pixel costs at most one byte per channel (runs of one); longer runs cost less.
    std::vector<uchar> row(size_t(width) * size_t(qMax(channelCount, 1)));
    // A row as runs of equal pixels, found once for all its channels: glyph images are a few
    // colours in long runs.
    std::vector<PixelRun> runs(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        const qsizetype runCount = pixelRuns(bitmap.scanLine(y), width, runs.data());
        uchar *out = row.data();
        for (int channel = 1; channel <= channelCount; ++channel) {
            progress.setDone(qint64(y) * channelCount + channel);
            if (channel > 3) { // no such channel: level 0 throughout
                out = putRun(out, invert ? 31 : 0, width);
                continue;
            }
            const int shift = levelShift(channel);
            qsizetype i = 0;
            while (i < runCount) {
                const uchar level = uchar((runs[size_t(i)].pixel >> shift) & 31u);
                int count = runs[size_t(i)].length;
                while (++i < runCount && uchar((runs[size_t(i)].pixel >> shift) & 31u) == level)
                    count += runs[size_t(i)].length;
                out = putRun(out, invert ? uchar(31 - level) : level, count);
            }
        }
        writeBytes(file, reinterpret_cast<const char *>(row.data()), qint64(out - row.data()));
    }
}
