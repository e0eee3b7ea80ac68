#include "bitmapcheck.h"

#include <QtEndian>

namespace {

enum Compression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

constexpr qint64 FileHeaderSize = 14;
constexpr qint64 CoreHeaderSize = 12;
// Far beyond any glyph image, small enough that sizes cannot overflow.
constexpr qint64 MaxSide = qint64(1) << 20;

// The run-length codes from offset to the end-of-bitmap mark, or a problem. Every pixel must
// get a colour: the reader leaves the pixels that codes skip (a move, a line or the bitmap
// ended early) as whatever its memory held.
QString rleProblem(QByteArrayView bytes, qint64 at, bool fourBits, qint64 width, qint64 rows)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const auto skipped = [&](qint64 x, qint64 row) {
        return QStringLiteral("its run-length codes give no colour to row %1 from pixel %2 on")
            .arg(rows - 1 - row)
            .arg(x);
    };
    qint64 x = 0;
    qint64 row = 0; // from the bottom
    while (at + 2 <= bytes.size()) {
        const uchar count = p[at];
        const uchar code = p[at + 1];
        at += 2;
        if (count > 0) { // a run
            x += count;
            continue;
        }
        if (code == 0 || code == 1) { // the end of a line, or of the bitmap
            if (row < rows && x < width)
                return skipped(x, row);
            if (code == 1)
                return row + 1 < rows ? skipped(0, row + 1) : QString();
            x = 0;
            ++row;
            continue;
        }
        if (code == 2)
            return QStringLiteral("its run-length codes move past pixels, leaving them without colour");
        // That many pixels as they are, padded to a 16-bit boundary.
        const qint64 literal = fourBits ? (code + 1) / 2 : code;
        x += code;
        at += (literal + 1) & ~qint64(1);
    }
    return QStringLiteral("its run-length coded pixels end without the end-of-bitmap mark");
}

} // namespace

QString bitmapFileProblem(QByteArrayView bytes)
{
    if (!bytes.startsWith("BM"))
        return QString();
    const qint64 size = bytes.size();
    const auto *p = reinterpret_cast<const uchar *>(bytes.data());
    const QString cut = QStringLiteral("the file ends inside its header, after %1 bytes").arg(size);
    if (size < FileHeaderSize + 4)
        return cut;
    const qint64 dataOffset = qFromLittleEndian<quint32>(p + 10);
    const qint64 headerSize = qFromLittleEndian<quint32>(p + 14);
    const bool core = headerSize == CoreHeaderSize;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 && headerSize != 108
        && headerSize != 124)
        return QStringLiteral("no bitmap has a header of %1 bytes").arg(headerSize);
    if (size < FileHeaderSize + headerSize)
        return cut;

    const uchar *h = p + FileHeaderSize;
    const qint64 width = core ? qFromLittleEndian<quint16>(h + 4) : qFromLittleEndian<qint32>(h + 4);
    const qint64 height = core ? qFromLittleEndian<qint16>(h + 6) : qFromLittleEndian<qint32>(h + 8);
    const uchar *rest = h + (core ? 8 : 12);
    const quint16 planes = qFromLittleEndian<quint16>(rest);
    const quint16 bits = qFromLittleEndian<quint16>(rest + 2);
    const quint32 compression = core ? Rgb : qFromLittleEndian<quint32>(rest + 4);
    const quint32 usedColors = core ? 0 : qFromLittleEndian<quint32>(h + 32);

    if (width <= 0 || height == 0 || width > MaxSide || qAbs(height) > MaxSide)
        return QStringLiteral("its size %1 x %2 is no picture size").arg(width).arg(height);
    if (planes != 1)
        return QStringLiteral("it has %1 planes, not 1").arg(planes);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return QStringLiteral("%1 bits per pixel is no bitmap depth").arg(bits);
    const bool rle = compression == Rle8 || compression == Rle4;
    const bool fields = compression == BitFields || compression == AlphaBitFields;
    if ((compression == Rle8 && bits != 8) || (compression == Rle4 && bits != 4) || (fields && bits != 16 && bits != 32)
        || (!rle && !fields && compression != Rgb))
        return QStringLiteral("its coding %1 does not go with %2 bits per pixel").arg(compression).arg(bits);
    if (rle && height < 0)
        return QStringLiteral("a run-length coded bitmap cannot be stored top row first");

    const qint64 masks = headerSize == 40 ? (compression == BitFields            ? 12
                                                 : compression == AlphaBitFields ? 16
                                                                                 : 0)
                                          : 0;
    const qint64 colors = bits <= 8 ? (usedColors > 0 ? qMin<qint64>(usedColors, 1 << bits) : 1 << bits) : 0;
    const qint64 tablesEnd = FileHeaderSize + headerSize + masks + colors * (core ? 3 : 4);
    if (size < tablesEnd)
        return QStringLiteral("the file ends inside its colour table, after %1 bytes").arg(size);
    if (dataOffset < FileHeaderSize + headerSize)
        return QStringLiteral("its pixels would start at byte %1, inside its header").arg(dataOffset);
    // The reader takes the pixels from the end of the colour table then, not from their offset.
    if (dataOffset < tablesEnd)
        return QStringLiteral("its colour table of %1 colours runs past the start of its pixels at byte %2")
            .arg(colors)
            .arg(dataOffset);
    if (dataOffset >= size)
        return QStringLiteral("its pixels would start at byte %1, but the file ends after %2 bytes")
            .arg(dataOffset)
            .arg(size);
    if (rle)
        return rleProblem(bytes, dataOffset, compression == Rle4, width, qAbs(height));
    const qint64 rows = qAbs(height);
    const qint64 dataEnd = dataOffset + (width * bits + 31) / 32 * 4 * rows;
    if (size < dataEnd)
        return QStringLiteral("the file ends after %1 bytes, but its %2 rows of pixels end at byte %3")
            .arg(size)
            .arg(rows)
            .arg(dataEnd);
    return QString();
}
