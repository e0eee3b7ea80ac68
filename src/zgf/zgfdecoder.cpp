#include "zgfdecoder.h"

#include "surface.h"
#include "zgfpixel.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <tuple>
#include <utility>
#include <vector>

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

// Reads RLE data a row at a time, checking that the runs fill every row and channel exactly.
class RleRows
{
public:
    RleRows(QByteArrayView data, int width, const QString &context)
        : mP(reinterpret_cast<const uchar *>(data.data())), mEnd(mP + data.size()), mWidth(width), mContext(context)
    {
    }

    // The next row of a glyph image: red, green and blue runs ORed into pixels with low bit 1.
    void readPixels16(quint16 *row)
    {
        std::fill_n(row, mWidth, quint16(1));
        for (int shift : {11, 6, 1}) {
            readChannel([&](int x, quint8 level, int count) {
                const quint16 bits = quint16(level << shift);
                for (quint16 *p = row + x, *end = p + count; p != end; ++p)
                    *p |= bits;
            });
        }
        ++mRow;
    }

    // The next row of a mask: its levels.
    void readLevels(quint8 *row)
    {
        readChannel([&](int x, quint8 level, int count) { std::fill_n(row + x, count, level); });
        ++mRow;
    }

    // Reads the next row and tells whether each channel's runs hold the levels of the scan
    // line, the channel at shift in a pixel (inverted for an inverted mask). The runs of all
    // channels are read first, so that each pixel is compared once, all channels together,
    // between the places where any channel's run ends.
    bool rowMatches(const quint32 *line, std::initializer_list<int> shifts, bool invert)
    {
        mRunEnds.clear();
        quint32 mask = 0;
        for (const int shift : shifts) {
            mask |= 31u << shift;
            readChannel([&](int x, quint8 level, int count) {
                mRunEnds.push_back({x + count, (invert ? 31u - level : quint32(level)) << shift, shift});
            });
        }
        ++mRow;
        // One cursor per channel into mRunEnds, where that channel's runs start.
        std::array<size_t, 3> next{};
        size_t channels = 0;
        for (size_t i = 0; i < mRunEnds.size(); ++i) {
            if (i == 0 || mRunEnds[i].shift != mRunEnds[i - 1].shift)
                next[channels++] = i;
        }
        int x = 0;
        while (x < mWidth) {
            int end = mWidth;
            quint32 wanted = 0;
            for (size_t c = 0; c < channels; ++c) {
                end = std::min(end, mRunEnds[next[c]].end);
                wanted |= mRunEnds[next[c]].bits;
            }
            quint32 differs = 0;
            for (const quint32 *p = line + x, *stop = line + end; p != stop; ++p)
                differs |= (*p & mask) ^ wanted;
            if (differs != 0)
                return false;
            x = end;
            for (size_t c = 0; c < channels; ++c) {
                if (mRunEnds[next[c]].end == end)
                    ++next[c];
            }
        }
        return true;
    }

    // Where the reader is, to read a row again.
    std::pair<const uchar *, int> position() const { return {mP, mRow}; }
    void setPosition(std::pair<const uchar *, int> position) { std::tie(mP, mRow) = position; }

private:
    template <typename Put>
    void readChannel(Put put)
    {
        int x = 0;
        while (x < mWidth) {
            if (mP == mEnd)
                throw endsEarly();
            int level = *mP++;
            int count;
            if (level >= 32) {
                count = level >> 5;
                level &= 31;
            } else {
                if (mP == mEnd)
                    throw endsEarly();
                count = *mP++;
            }
            if (count > mWidth - x)
                throw malformed(
                    mContext,
                    QStringLiteral("RLE run of %1 pixels overflows row %2 at column %3").arg(count).arg(mRow).arg(x));
            put(x, quint8(level), count);
            x += count;
        }
    }

    Failure endsEarly() const { return malformed(mContext, QStringLiteral("RLE data ends early in row %1").arg(mRow)); }

    // A run of rowMatches: where it ends, its level in place in a scan-line pixel, and the
    // channel's shift.
    struct RunEnd
    {
        int end;
        quint32 bits;
        int shift;
    };

    const uchar *mP;
    const uchar *mEnd;
    int mWidth;
    int mRow = 0;
    const QString &mContext;
    std::vector<RunEnd> mRunEnds;
};

quint8 rawLevel(const uchar *p, qint64 i, int width, const QString &context)
{
    if (p[i] > 31)
        throw malformed(context,
                        QStringLiteral("level %1 at (%2, %3) is above 31").arg(p[i]).arg(i % width).arg(i / width));
    return p[i];
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
    QList<quint16> pixels(checkedPixelCount(width, height, context));
    RleRows rows(data, width, context);
    for (int y = 0; y < height && width > 0; ++y)
        rows.readPixels16(pixels.data() + qint64(y) * width);
    return pixels;
}

QList<quint8> decodeRawLevels(QByteArrayView data, int width, int height, const QString &context)
{
    const qint64 count = checkedPixelCount(width, height, context);
    requireRawSize(data, count, context);
    QList<quint8> levels(count);
    const auto *p = reinterpret_cast<const uchar *>(data.data());
    for (qint64 i = 0; i < count; ++i)
        levels[i] = rawLevel(p, i, width, context);
    return levels;
}

QList<quint8> decodeRleLevels(QByteArrayView data, int width, int height, const QString &context)
{
    QList<quint8> levels(checkedPixelCount(width, height, context));
    RleRows rows(data, width, context);
    for (int y = 0; y < height && width > 0; ++y)
        rows.readLevels(levels.data() + qint64(y) * width);
    return levels;
}

qint64 minimumRleSize(int width, int height, int channels)
{
    const qint64 full = qMax(width, 0) / 255;
    const int rest = qMax(width, 0) % 255;
    const qint64 perRow = 2 * full + (rest == 0 ? 0 : rest <= 7 ? 1 : 2);
    return perRow * qMax(height, 0) * qMax(channels, 0);
}

std::optional<QPoint> firstCodingDifference(QByteArrayView coded, const Surface &picture, bool rle, int channels,
                                            bool invert, const QString &context)
{
    const int width = picture.width();
    const int height = picture.height();
    if (width <= 0 || height <= 0)
        return std::nullopt;
    const bool mask = channels == 1;
    if (!rle)
        requireRawSize(coded, qint64(width) * height * (mask ? 1 : 2), context);
    RleRows rows(coded, width, context);
    const auto *raw = reinterpret_cast<const uchar *>(coded.data());
    std::vector<quint16> decoded(static_cast<size_t>(width)), expected(static_cast<size_t>(width));
    std::vector<quint8> levels(mask && rle ? size_t(width) : 0);
    for (int y = 0; y < height; ++y) {
        const quint32 *line = picture.scanLine(y);
        const qint64 start = qint64(y) * width;
        if (rle) {
            // Most rows match: only a row that does not is decoded to find the pixel.
            const auto rowStart = rows.position();
            if (mask ? rows.rowMatches(line, {19}, invert) : rows.rowMatches(line, {19, 11, 3}, false))
                continue;
            rows.setPosition(rowStart);
        }
        if (mask) {
            for (int x = 0; x < width; ++x) {
                const quint16 level = quint16((line[x] >> 19) & 31u);
                expected[size_t(x)] = invert ? quint16(31 - level) : level;
            }
            if (rle) {
                rows.readLevels(levels.data());
                std::copy(levels.begin(), levels.end(), decoded.begin());
            } else {
                for (int x = 0; x < width; ++x)
                    decoded[size_t(x)] = rawLevel(raw, start + x, width, context);
            }
        } else {
            for (int x = 0; x < width; ++x)
                expected[size_t(x)] = quint16(scanPixelToPixel16(line[x]) | 1u);
            if (rle) {
                rows.readPixels16(decoded.data());
            } else {
                for (int x = 0; x < width; ++x)
                    decoded[size_t(x)] = quint16(raw[2 * (start + x)] | (raw[2 * (start + x) + 1] << 8));
            }
        }
        if (std::memcmp(decoded.data(), expected.data(), decoded.size() * sizeof(quint16)) != 0) {
            const auto at = std::mismatch(decoded.begin(), decoded.end(), expected.begin()).first;
            return QPoint(int(at - decoded.begin()), y);
        }
    }
    return std::nullopt;
}
