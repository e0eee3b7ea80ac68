#pragma once

// Helpers shared by the ZGF suites: a font built through the real encoders, bare headers and
// fonts for the scanner and C source tests, files, and failures as text.

#include "pixelsurface.h"
#include "recordingfeedback.h"
#include "testfiles.h"
#include "zgfencoder.h"
#include "zgfheader.h"
#include "zgfpixel.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <random>

#include <gtest/gtest.h>

// A small font assembled the way the export writes one: header, tables, glyph image and
// optional mask. Draw on the surfaces of prepared().
struct ZgfTestFont
{
    QByteArray codes;
    QList<int> widths, leftIndents, rightIndents;
    int height = 0;
    bool rle = false, masked = false, invertMask = false;
    qint8 maskWidthInc = 0, maskHeightInc = 0, lineSep = 0, charSep = 0;
    quint8 defaultWidth = 0;
    Color transColor = 0x00FF00;
    PixelSurface image, mask;

    int imageWidth() const
    {
        int sum = 0;
        for (int w : widths)
            sum += w;
        return sum;
    }
    int maskWidth() const { return imageWidth() + int(codes.size()) * maskWidthInc; }
    int maskHeight() const { return height + maskHeightInc; }

    // A copy with both surfaces sized from the tables: the image transparent, the mask
    // background (white when inverted).
    ZgfTestFont prepared() const
    {
        ZgfTestFont font = *this;
        font.image = PixelSurface(imageWidth(), height, transColor);
        font.mask = masked ? PixelSurface(maskWidth(), maskHeight(), invertMask ? 0xFFFFFF : 0) : PixelSurface();
        return font;
    }

    QByteArray bytes() const
    {
        ZgfHeader h{.Flags = ZgfHeader::formatFlags(rle, masked),
                    .FaceName = "Test Face",
                    .TransColor = quint16(ColorToPixel16(transColor, 1)),
                    .BitmapWidth = quint16(imageWidth()),
                    .BitmapHeight = quint8(height),
                    .DefaultWidth = defaultWidth,
                    .DefaultHeight = quint8(height),
                    .MaskWidthInc = maskWidthInc,
                    .MaskHeightInc = maskHeightInc,
                    .LineSep = lineSep,
                    .CharSep = charSep,
                    .Count = quint8(codes.size())};
        QByteArray out = QByteArray(ZgfHeader::Size, '\0') + codes;
        for (const QList<int> *table : {&widths, &leftIndents, &rightIndents})
            for (int v : *table)
                out.append(char(v)); // a negative indent as its two's complement byte
        QBuffer buffer(&out);
        buffer.open(QIODevice::Append);
        RecordingFeedback feedback;
        const auto encode = rle ? RLEEncodeBitmap16 : RAWEncodeBitmap16;
        h.GlyphOffset = qint32(out.size());
        encode(buffer, image, 3, false, feedback);
        h.MaskOffset = masked ? qint32(out.size()) : 0;
        if (masked)
            encode(buffer, mask, 1, invertMask, feedback);
        h.FileLength = qint32(out.size());
        return out.replace(0, ZgfHeader::Size, h.toBytes());
    }
};

// Three glyphs "A", "€" (0x80) and "g" with negative indents, random colours in the glyph
// image and solid boxes in the mask.
inline ZgfTestFont sampleFont(bool rle, bool masked, bool invertMask)
{
    ZgfTestFont font = ZgfTestFont{.codes = "A\x80g",
                                   .widths = {5, 9, 4},
                                   .leftIndents = {1, 0, -3},
                                   .rightIndents = {1, 2, -128},
                                   .height = 7,
                                   .rle = rle,
                                   .masked = masked,
                                   .invertMask = invertMask,
                                   .maskWidthInc = 2,
                                   .maskHeightInc = 3,
                                   .defaultWidth = 3}
                           .prepared();
    std::mt19937 random(11);
    for (int y = 1; y < font.height - 1; ++y)
        for (int x = 0; x < font.imageWidth(); ++x)
            if (random() % 3 != 0)
                font.image.setPixel(x, y, Color(random() & 0xFFFFFF));
    for (int y = 2; masked && y < font.maskHeight() - 2; ++y)
        for (int x = 1; x < font.maskWidth() - 1; x += 2)
            font.mask.setPixel(x, y, invertMask ? 0 : 0xFFFFFF);
    return font;
}

// A header that IsValidZgfHeader accepts: glyph data right after the tables.
inline ZgfHeader validHeader(const QByteArray &face, quint8 pointSize, quint16 flags = 33, quint8 count = 95)
{
    return {.Flags = flags,
            .PointSize = pointSize,
            .FaceName = face,
            .GlyphOffset = ZgfHeader::expectedGlyphOffset(flags, count),
            .Count = count};
}

// A whole font of the given characters: the header with Count and lengths set, filler
// tables and dataSize bytes of image data.
inline QByteArray fontBytes(ZgfHeader h, const QByteArray &chars, qsizetype dataSize)
{
    h.Count = quint8(chars.size());
    h.GlyphOffset = ZgfHeader::expectedGlyphOffset(h.Flags, h.Count);
    h.FileLength = qint32(h.GlyphOffset + dataSize);
    QByteArray bytes = (h.toBytes() + chars).leftJustified(h.GlyphOffset, '\x07');
    for (qsizetype i = 0; i < dataSize; ++i)
        bytes.append(char(i * 7 + 3));
    return bytes;
}
