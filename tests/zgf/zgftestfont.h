#pragma once

#include "pixelsurface.h"
#include "recordingfeedback.h"
#include "zgfencoder.h"
#include "zgfheader.h"
#include "zgfpixel.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>

// A small font assembled the way the export writes one: header, tables, glyph image and
// optional mask, through the real encoders.
struct ZgfTestFont
{
    QByteArray codes;
    QList<int> widths;
    QList<int> leftIndents;
    QList<int> rightIndents;
    int height = 0;
    bool rle = false;
    bool masked = false;
    bool invertMask = false;
    qint8 maskWidthInc = 0;
    qint8 maskHeightInc = 0;
    qint8 lineSep = 0;
    qint8 charSep = 0;
    quint8 defaultWidth = 0;
    Color transColor = 0x00FF00;
    PixelSurface image;
    PixelSurface mask;

    int imageWidth() const
    {
        int sum = 0;
        for (int w : widths)
            sum += w;
        return sum;
    }
    int maskWidth() const { return imageWidth() + int(codes.size()) * maskWidthInc; }
    int maskHeight() const { return height + maskHeightInc; }

    // Sizes both surfaces from the tables, filled with the transparent colour and, for the
    // mask, with its background (white when inverted).
    void prepareSurfaces()
    {
        image = PixelSurface(imageWidth(), height, transColor);
        if (masked)
            mask = PixelSurface(maskWidth(), maskHeight(), invertMask ? 0xFFFFFF : 0);
    }

    QByteArray bytes() const
    {
        ZgfHeader h;
        h.Flags = ZgfHeader::formatFlags(rle, masked);
        h.FaceName = "Test Face";
        h.TransColor = quint16(ColorToPixel16(transColor, 1));
        h.BitmapWidth = quint16(imageWidth());
        h.BitmapHeight = quint8(height);
        h.DefaultWidth = defaultWidth;
        h.DefaultHeight = quint8(height);
        h.MaskWidthInc = maskWidthInc;
        h.MaskHeightInc = maskHeightInc;
        h.LineSep = lineSep;
        h.CharSep = charSep;
        h.Count = quint8(codes.size());

        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        buffer.write(h.toBytes());
        buffer.write(codes);
        for (const QList<int> *table : {&widths, &leftIndents, &rightIndents}) {
            for (int v : *table)
                buffer.putChar(char(ToByte8(v)));
        }
        RecordingFeedback feedback;
        h.GlyphOffset = qint32(buffer.pos());
        if (rle)
            RLEEncodeBitmap16(buffer, image, 3, false, feedback);
        else
            RAWEncodeBitmap16(buffer, image, 3, false, feedback);
        if (masked) {
            h.MaskOffset = qint32(buffer.pos());
            if (rle)
                RLEEncodeBitmap16(buffer, mask, 1, invertMask, feedback);
            else
                RAWEncodeBitmap16(buffer, mask, 1, invertMask, feedback);
        }
        h.FileLength = qint32(buffer.pos());
        buffer.close();
        out.replace(0, ZgfHeader::Size, h.toBytes());
        return out;
    }
};
