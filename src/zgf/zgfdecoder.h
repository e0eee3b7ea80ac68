#pragma once

#include "failure.h"

#include <QByteArrayView>
#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

class Surface;

// Decoding of ZGF image data, the inverse of the encoders. Every decoder reads only the
// bytes it is given and throws a Failure::InvalidFileFormat when they do not make up a
// whole image: RAW data shorter than the image, RLE data that ends early or a run that
// overflows its row. Bytes after a complete image are not read.

// Failure::InvalidFileFormat: "Invalid file format: " + detail.
Failure invalidZgfFormat(const QString &detail);

// The decoders' failures start with context ("glyph image", or a path and an image name).

// Glyph image: width x height GP32 pixels, row-major. RLE pixels get low bit 1.
QList<quint16> decodeRawPixels16(QByteArrayView data, int width, int height, const QString &context);
QList<quint16> decodeRlePixels16(QByteArrayView data, int width, int height, const QString &context);

// Mask image: width x height levels 0..31 as stored, row-major. A RAW byte above 31 is
// not a level and is refused.
QList<quint8> decodeRawLevels(QByteArrayView data, int width, int height, const QString &context);
QList<quint8> decodeRleLevels(QByteArrayView data, int width, int height, const QString &context);

// The fewest bytes that RLE data of an image can take (every row and channel one run);
// lets a reader refuse a short file before allocating the image.
qint64 minimumRleSize(int width, int height, int channels);

// Decodes an image just coded from picture (RAW or RLE; channels 1 for a mask, whose levels
// were inverted when invert is set) and compares it with the picture, row by row: the first
// pixel that does not read back as the encoders code it, or nothing when all do. Data that
// is no whole image throws as the decoders do.
std::optional<QPoint> firstCodingDifference(QByteArrayView coded, const Surface &picture, bool rle, int channels,
                                            bool invert, const QString &context);
