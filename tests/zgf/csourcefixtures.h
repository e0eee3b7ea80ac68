#pragma once

#include "zgfheader.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// Fonts and files for the C source, scanner, extractor and converter tests.

// A header accepted by IsValidZgfHeader: the given face, size and flags, Count characters,
// glyph data right after the tables.
inline ZgfHeader validHeader(const QByteArray &face, quint8 pointSize, quint16 flags = 33,
                             quint8 count = 95)
{
    ZgfHeader h;
    h.FaceName = face;
    h.PointSize = pointSize;
    h.Flags = flags;
    h.Count = count;
    h.GlyphOffset = ZgfHeader::expectedGlyphOffset(flags, count);
    return h;
}

// A whole font: the header (its Count and lengths set from chars and dataSize), the
// characters, three more tables of filler and dataSize bytes of image data.
inline QByteArray fontBytes(ZgfHeader h, const QByteArray &chars, qsizetype dataSize)
{
    h.Count = quint8(chars.size());
    h.GlyphOffset = ZgfHeader::expectedGlyphOffset(h.Flags, h.Count);
    h.FileLength = qint32(h.GlyphOffset + dataSize);
    QByteArray bytes = h.toBytes() + chars;
    bytes.resize(h.GlyphOffset, '\x07');
    for (qsizetype i = 0; i < dataSize; ++i)
        bytes.append(char(i * 7 + 3));
    return bytes;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
