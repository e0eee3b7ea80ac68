#pragma once

// The ZGF fonts the export must write for its hand-worked two-glyph document, byte for byte:
// also the fonts every drawing of text is checked on.

#include <QByteArray>

namespace zgfgoldens {

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text));
}

// Header of the hand-worked document: face "Arial", 10 pt, transparent green 0x07C1,
// shadow black 0x0001, image 7 x 5, default 4 x 5, max 4 x 4, line separation 2, 2 chars.
inline QByteArray expectedHeader(quint8 flags, qint32 length, qint32 maskOffset, qint8 maskWidthInc)
{
    // clang-format off
    QByteArray h = hex("5a47460001") + QByteArray(1, char(flags)) + hex("000a") + QByteArray("Arial")
        + QByteArray(27, '\0');
    auto le32 = [](qint32 v) { return QByteArray(reinterpret_cast<const char *>(&v), 4); };
    h += le32(length) + le32(84) + le32(maskOffset);
    h += hex("c1070100" "0000" "0700" "05" "04" "05" "04" "04") + QByteArray(1, char(maskWidthInc))
        + hex("00" "00000000" "02" "00" "02" "0000");
    // clang-format on
    return h;
}

// clang-format off
inline const char kTables[] = "6162" "0403" "0100" "0102";

// Rows of the 7 x 5 glyph image: G transparent green, K black ink.
//   G K K G G G G / G K K G G K G / G K K G G K G / G G G G G K G / G G G G G G G
inline const char kRawImage[] =
    "c107" "0100" "0100" "c107" "c107" "c107" "c107"
    "c107" "0100" "0100" "c107" "c107" "0100" "c107"
    "c107" "0100" "0100" "c107" "c107" "0100" "c107"
    "c107" "c107" "c107" "c107" "c107" "0100" "c107"
    "c107" "c107" "c107" "c107" "c107" "c107" "c107";

// Per row: red runs, green runs, blue runs.
inline const char kRleImage[] =
    "e0" "3f409f" "e0"
    "e0" "3f405f203f" "e0"
    "e0" "3f405f203f" "e0"
    "e0" "bf203f" "e0"
    "e0" "ff" "e0";
// clang-format on

} // namespace zgfgoldens

// Plain or post-processed with a mask 2 columns wider (11 x 5, inverted on export: 31 on the
// ink, 0 elsewhere), RAW or RLE.
inline QByteArray goldenZgfFont(bool masked, bool rle)
{
    using namespace zgfgoldens;
    // clang-format off
    const QByteArray rawMask = hex("00001f1f00000000000000" "00001f1f000000001f0000" "00001f1f000000001f0000"
                                   "00000000000000001f0000" "0000000000000000000000");
    const QByteArray rleMask = hex("405fe0" "405f803f40" "405f803f40" "00083f40" "000b");
    // clang-format on
    const QByteArray image = rle ? hex(kRleImage) : hex(kRawImage);
    const QByteArray mask = !masked ? QByteArray() : rle ? rleMask : rawMask;
    const qint32 maskOffset = 84 + qint32(image.size());
    const quint8 flags = masked ? (rle ? 0xEF : 0xE5) : (rle ? 0xA3 : 0xA1);
    return expectedHeader(flags, maskOffset + qint32(mask.size()), masked ? maskOffset : 0, masked ? 2 : 0)
        + hex(kTables) + image + mask;
}
