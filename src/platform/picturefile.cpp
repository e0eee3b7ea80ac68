#include "picturefile.h"

#include "bitmapcheck.h"
#include "failure.h"
#include "fileerrors.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

constexpr qsizetype FileHeaderSize = 14;
constexpr qsizetype MaskedHeaderSize = 40 + 12; // red, green and blue masks
constexpr qsizetype AlphaMaskedHeaderSize = 40 + 16;
constexpr qsizetype ColorSpaceHeaderSize = 108;
constexpr quint32 BitFields = 3;
constexpr quint32 AlphaBitFields = 6;

// A bitmap with a 52- or 56-byte header rewritten with the 108-byte one Qt reads: the same
// fields and masks, no colour space. The masks count only for bit fields (with or without
// alpha, which the 108-byte header tells by its alpha mask), as Windows has it; Qt would
// apply an alpha mask to any coding. Other data is returned as it is. Expects a
// bitmap that passed bitmapFileProblem.
QByteArray withKnownHeader(const QByteArray &bytes)
{
    if (!bytes.startsWith("BM") || bytes.size() < FileHeaderSize + 4)
        return bytes;
    const qsizetype headerSize = qFromLittleEndian<quint32>(bytes.constData() + FileHeaderSize);
    if (headerSize != MaskedHeaderSize && headerSize != AlphaMaskedHeaderSize)
        return bytes;
    const quint32 dataOffset = qFromLittleEndian<quint32>(bytes.constData() + 10);
    QByteArray header = bytes.mid(FileHeaderSize, 40);
    const quint32 compression = qFromLittleEndian<quint32>(header.constData() + 16);
    const bool fields = compression == BitFields || compression == AlphaBitFields;
    header += fields ? bytes.mid(FileHeaderSize + 40, headerSize - 40) : QByteArray();
    if (fields)
        qToLittleEndian<quint32>(BitFields, header.data() + 16);
    header.resize(ColorSpaceHeaderSize, '\0');
    qToLittleEndian<quint32>(quint32(ColorSpaceHeaderSize), header.data());

    const qsizetype growth = ColorSpaceHeaderSize - headerSize;
    QByteArray fileHeader = bytes.left(FileHeaderSize);
    qToLittleEndian<quint32>(quint32(bytes.size() + growth), fileHeader.data() + 2);
    qToLittleEndian<quint32>(quint32(dataOffset + growth), fileHeader.data() + 10);
    return fileHeader + header + bytes.mid(FileHeaderSize + headerSize);
}

// The first pixel whose colour index lies past the colour table, as "(x, y) has colour n",
// or "" when all lie inside (or the picture has no table).
QString indexPastTable(const QImage &picture)
{
    if (picture.depth() > 8)
        return QString();
    const int colors = int(picture.colorTable().size());
    for (int y = 0; y < picture.height(); ++y) {
        const uchar *row = picture.constScanLine(y);
        for (int x = 0; x < picture.width(); ++x) {
            const int index = picture.format() == QImage::Format_Indexed8 ? row[x] : picture.pixelIndex(x, y);
            if (index >= colors)
                return QStringLiteral("the pixel at (%1, %2) has colour %3, but its colour table holds %4")
                    .arg(x)
                    .arg(y)
                    .arg(index)
                    .arg(colors);
        }
    }
    return QString();
}

} // namespace

QImage readPictureFile(const QString &path)
{
    QFile file;
    openForReading(file, path);
    const QString subject = QDir::toNativeSeparators(path);
    const auto invalid = [&](const QString &why) {
        return Failure::runtime(Failure::InvalidPicture,
                                why.isEmpty() ? subject : subject + QStringLiteral(": ") + why);
    };
    if (file.size() > MaxPictureFileSize)
        throw invalid(QStringLiteral("the file holds %1 bytes, more than a picture is read from").arg(file.size()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    if (const QString problem = bitmapFileProblem(bytes); !problem.isEmpty())
        throw invalid(problem);
    QByteArray readable = withKnownHeader(bytes);
    QBuffer buffer(&readable);
    QImageReader reader(&buffer);
    QImage picture = reader.read();
    if (picture.isNull())
        throw invalid(QString());
    if (const QString problem = indexPastTable(picture); !problem.isEmpty())
        throw invalid(problem);
    picture.setDevicePixelRatio(1.0);
    return picture;
}
