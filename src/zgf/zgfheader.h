#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class Feedback;

// The 76-byte header of a ZGF font file. All numbers little-endian, no padding.
struct ZgfHeader
{
    static constexpr int Size = 76;

    // Flag bits (offset 5).
    static constexpr quint16 Color16 = 1; // 16-bit pixels; clear: 8 bpp, 512 more bytes
    static constexpr quint16 RleImage = 2;
    static constexpr quint16 HasMask = 4;
    static constexpr quint16 RleMask = 8;
    static constexpr quint16 ShadowMaskFlag = 16;
    static constexpr quint16 HasIndents = 32;
    static constexpr quint16 PostprocessedFlag = 64;
    static constexpr quint16 ProportionalFlag = 128;
    static constexpr quint16 SerifFlag = 256;
    static constexpr quint16 ScriptFlag = 512;
    static constexpr quint16 BoldFlag = 1024;
    static constexpr quint16 ItalicFlag = 2048;
    static constexpr quint16 UnderlineFlag = 4096;
    static constexpr quint16 StrikethroughFlag = 8192;

    quint8 Version = 1;       // offset 4
    quint16 Flags = 0;        // 5
    quint8 PointSize = 0;     // 7
    QByteArray FaceName;      // 8, 32 bytes, 0-padded (Windows-1252)
    qint32 FileLength = 0;    // 40
    qint32 GlyphOffset = 0;   // 44
    qint32 MaskOffset = 0;    // 48
    quint16 TransColor = 0;   // 52, GP32 pixel
    quint16 ShadowColor = 0;  // 54, GP32 pixel
    quint16 BitmapWidth = 0;  // 58
    quint8 BitmapHeight = 0;  // 60
    quint8 DefaultWidth = 0;  // 61
    quint8 DefaultHeight = 0; // 62
    quint8 MaxCharWidth = 0;  // 63
    quint8 MaxCharHeight = 0; // 64
    qint8 MaskWidthInc = 0;   // 65
    qint8 MaskHeightInc = 0;  // 66
    qint8 ShadowOX = 0;       // 67
    qint8 ShadowOY = 0;       // 68
    qint8 ShadowXPos = 0;     // 69
    qint8 ShadowYPos = 0;     // 70
    qint8 LineSep = 0;        // 71
    qint8 CharSep = 0;        // 72
    quint8 Count = 0;         // 73

    // The 76 bytes of the header. A face name longer than 32 bytes throws Failure 6.
    QByteArray toBytes() const;
    // Parses 76 bytes (the magic is not checked; see IsValidZgfHeader). Fewer bytes throw
    // Failure 5.
    static ZgfHeader fromBytes(const char *data, qsizetype size);

    bool hasFlag(quint16 flag) const { return (Flags & flag) != 0; }
    // The face name as text, NUL bytes removed.
    QString faceNameText() const;
    // Mask image size derived from the header: glyph image plus Count x MaskWidthInc,
    // plus MaskHeightInc rows; 0 x 0 without the mask flag.
    int maskWidth() const;
    int maskHeight() const;
    // The flag bits this program always sets (16-bit pixels, indent tables) and those of
    // the coding: RAW without mask gives 33, RLE with mask 47.
    static quint16 formatFlags(bool rle, bool masked);
    // Where the glyph data of a header with these flags and count must start.
    static qint32 expectedGlyphOffset(quint16 flags, quint8 count);
};

// Whether 76 bytes are an acceptable ZGF header: the magic "ZGF\0", version 1, and the
// glyph data offset at exactly where the flags and character count put it.
bool IsValidZgfHeader(const char *header76);
bool IsValidZgfHeader(const QByteArray &header);

// Whether the file is a ZGF font (IsValidZgfHeader of its first 76 bytes). A file that
// cannot be opened or read is reported through feedback and gives false.
bool IsZgfFile(const QString &path, Feedback &feedback);
