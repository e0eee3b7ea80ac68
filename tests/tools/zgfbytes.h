#pragma once

#include "zgfheader.h"

#include <QByteArray>

// The bytes of a font whose header passes the acceptance test, filled up to its stated
// size with a pattern that never holds "ZGF".
inline QByteArray zgfFontBytes(const QByteArray &faceName, quint8 pointSize, qint32 size,
                               quint16 extraFlags = 0)
{
    ZgfHeader header;
    header.Flags = ZgfHeader::formatFlags(false, false) | extraFlags;
    header.PointSize = pointSize;
    header.FaceName = faceName;
    header.Count = 3;
    header.GlyphOffset = ZgfHeader::expectedGlyphOffset(header.Flags, header.Count);
    header.FileLength = size;
    QByteArray bytes = header.toBytes();
    while (bytes.size() < size)
        bytes.append(char(bytes.size() * 7 + 3));
    return bytes;
}

// A header like zgfFontBytes but refused by the test: version 2.
inline QByteArray refusedFontBytes(qint32 size)
{
    QByteArray bytes = zgfFontBytes("Refused", 9, size);
    bytes[4] = 2;
    return bytes;
}
