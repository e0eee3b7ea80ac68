#include "zgfbuilder.h"

#include "checked.h"
#include "failure.h"
#include "feedback.h"
#include "surface.h"
#include "texelfont.h"
#include "windows1252.h"
#include "zgfdecoder.h"
#include "zgfencoder.h"
#include "zgfheader.h"
#include "zgfpixel.h"

#include <QBuffer>

#include <cmath>

namespace {

// Signed byte fields are read back as -128..127 by a GP32 program; a wider value would
// come back wrong, so it is refused with the field named.
qint8 signedByte(qint64 value, const QString &field)
{
    if (value < -128 || value > 127) {
        throw Failure(Failure::Overflow,
                      QStringLiteral("Overflow: %1 is %2, outside -128..127").arg(field).arg(value));
    }
    return qint8(value);
}

quint8 unsignedByte(qint64 value, const QString &field)
{
    if (value < 0 || value > 255) {
        throw Failure(Failure::Overflow,
                      QStringLiteral("Overflow: %1 is %2, outside 0..255").arg(field).arg(value));
    }
    return quint8(value);
}

quint16 flagsOf(const TexelFont &font, bool rle)
{
    quint16 flags = ZgfHeader::formatFlags(rle, font.Masked);
    const std::pair<bool, quint16> bits[] = {
        {font.ShadowMask, ZgfHeader::ShadowMaskFlag},
        {font.Postprocessed, ZgfHeader::PostprocessedFlag},
        {font.Proportional, ZgfHeader::ProportionalFlag},
        {font.Serif, ZgfHeader::SerifFlag},
        {font.Script, ZgfHeader::ScriptFlag},
        {font.Bold(), ZgfHeader::BoldFlag},
        {font.Italic(), ZgfHeader::ItalicFlag},
        {font.Underline(), ZgfHeader::UnderlineFlag},
        {font.Strikethrough(), ZgfHeader::StrikethroughFlag},
    };
    for (const auto &[set, bit] : bits) {
        if (set)
            flags |= bit;
    }
    return flags;
}

// The indent tables hold signed bytes; name the first character whose indent does not fit.
void checkIndents(const TexelFont &font)
{
    const QString glyphs = TexelFont::glyphSequence(font.Chars());
    for (qsizetype i = 0; i < font.glyphs().size() && i < glyphs.size(); ++i) {
        const Char &g = font.glyphs().at(i);
        const QString what = QStringLiteral("the %1 indent of \"%2\"");
        signedByte(g.Left, what.arg(QStringLiteral("left"), glyphs.at(i)));
        signedByte(qint64(g.TextWidth) - g.Left - g.Width, what.arg(QStringLiteral("right"), glyphs.at(i)));
    }
}

// Where the edited picture is smaller than the image, the background shows.
void loadEdited(Surface &work, int width, int height, Color background, const QString &fileName)
{
    work.setBackColor(background);
    work.setSize(width, height);
    work.clear();
    work.loadPicture(fileName);
}

// Decodes the image just coded and compares it with the picture it was coded from.
void verifyImage(QByteArrayView coded, const Surface &picture, bool rle, bool mask, bool invert)
{
    const QString what = mask ? QStringLiteral("alpha mask") : QStringLiteral("glyph image");
    if (const auto at = firstCodingDifference(coded, picture, rle, mask ? 1 : 3, invert, what)) {
        throw Failure(Failure::DeviceIO,
                      QStringLiteral("Device I/O error: the coded %1 does not read back as drawn "
                                     "(first difference at %2, %3)").arg(what).arg(at->x()).arg(at->y()));
    }
}

// Codes the picture onto out, then checks that it reads back.
void encodeVerified(QBuffer &out, const Surface &picture, bool rle, bool mask, bool invert, Feedback &feedback)
{
    const qint64 start = out.pos();
    const auto encode = rle ? RLEEncodeBitmap16 : RAWEncodeBitmap16;
    encode(out, picture, mask ? 1 : 3, invert, feedback);
    verifyImage(QByteArrayView(out.buffer()).sliced(start), picture, rle, mask, invert);
}

ZgfPartSizes partSizes(const QByteArray &file)
{
    const ZgfHeader h = ZgfHeader::fromBytes(file.constData(), file.size());
    const qint64 glyphEnd = h.MaskOffset > 0 ? h.MaskOffset : h.FileLength;
    return {glyphEnd - h.GlyphOffset, h.MaskOffset > 0 ? h.FileLength - h.MaskOffset : 0, h.FileLength};
}

} // namespace

QString unencodableCharacters(const QString &chars)
{
    QString out;
    for (const QChar c : TexelFont::glyphSequence(chars)) {
        if (windows1252Code(c) < 0 && !out.contains(c))
            out.append(c);
    }
    return out;
}

ZgfHeader zgfHeaderOf(TexelFont &font, bool rle)
{
    ZgfHeader h;
    h.Flags = flagsOf(font, rle);
    h.PointSize = unsignedByte(qint64(std::floor(double(font.Size()) + 0.25)), QStringLiteral("the point size"));
    h.FaceName = toWindows1252(font.TTFName());
    if (h.FaceName.size() > 32) {
        throw Failure(Failure::Overflow,
                      QStringLiteral("Overflow: the face name \"%1\" is longer than 32 characters")
                          .arg(font.TTFName()));
    }
    h.TransColor = quint16(ColorToPixel16(font.TransColor, 1));
    h.ShadowColor = quint16(ColorToPixel16(font.ShadowColor, 1));
    // The image width refreshes the measurements before any table is read.
    h.BitmapWidth = toUInt16(font.ZgfGetBitmapWidth(false));
    h.BitmapHeight = unsignedByte(font.ZgfGetBitmapHeight(false), QStringLiteral("the glyph image height"));
    h.DefaultWidth = unsignedByte(font.ZgfDefaultWidth(), QStringLiteral("the default width"));
    h.DefaultHeight = unsignedByte(font.ZgfDefaultHeight(), QStringLiteral("the default height"));
    h.MaxCharWidth = unsignedByte(font.ZgfMaxCharWidth(), QStringLiteral("the widest character"));
    h.MaxCharHeight = unsignedByte(font.ZgfMaxCharHeight(), QStringLiteral("the tallest character"));
    h.MaskWidthInc = signedByte(font.MaskWidthInc, QStringLiteral("the mask width increment"));
    h.MaskHeightInc = signedByte(font.MaskHeightInc, QStringLiteral("the mask height increment"));
    h.ShadowOX = signedByte(font.ShadowOX, QStringLiteral("the shadow's neutral x"));
    h.ShadowOY = signedByte(font.ShadowOY, QStringLiteral("the shadow's neutral y"));
    h.ShadowXPos = signedByte(font.ShadowXPos, QStringLiteral("the shadow's x position"));
    h.ShadowYPos = signedByte(font.ShadowYPos, QStringLiteral("the shadow's y position"));
    h.LineSep = signedByte(qint64(font.LineSep()) + font.LineSepExtra, QStringLiteral("the line separation"));
    h.CharSep = signedByte(font.CharSepExtra, QStringLiteral("the character separation"));
    const qsizetype count = TexelFont::glyphSequence(font.Chars()).size();
    if (count > 255) {
        throw Failure(Failure::Overflow,
                      QStringLiteral("Overflow: the font has %1 characters, at most 255 fit").arg(count));
    }
    h.Count = quint8(count);
    return h;
}

QByteArray buildZgfFile(TexelFont &font, Surface &work, const ZgfBuildInput &input, Feedback &feedback)
{
    if (font.Masked && input.maskFileName.trimmed().isEmpty()) {
        throw Failure(Failure::InvalidCall,
                      QStringLiteral("The font has an alpha mask, but no mask bitmap file was given."));
    }
    ZgfHeader header = zgfHeaderOf(font, input.rle);
    checkIndents(font);

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    out.write(header.toBytes());
    out.write(toWindows1252(TexelFont::glyphSequence(font.Chars())));
    out.write(font.ZgfCharWidths());
    out.write(font.CharLeftIndents());
    out.write(font.CharRightIndents());

    header.GlyphOffset = qint32(out.pos());
    if (font.Postprocessed)
        loadEdited(work, font.ZgfGetBitmapWidth(), font.ZgfGetBitmapHeight(), font.TransColor,
                   input.bitmapFileName);
    else
        font.ZgfGenerateBitmap(work, 1, 1, false);
    encodeVerified(out, work, input.rle, false, false, feedback);

    if (font.Masked) {
        header.MaskOffset = qint32(out.pos());
        loadEdited(work, font.ZgfGetMaskWidth(), font.ZgfGetMaskHeight(),
                   font.InvertMask ? 0xFFFFFF : 0, input.maskFileName);
        encodeVerified(out, work, input.rle, true, font.InvertMask, feedback);
    }
    header.FileLength = toInt32(out.pos());
    out.close();
    bytes.replace(0, ZgfHeader::Size, header.toBytes());
    return bytes;
}

ZgfSizeBudget zgfSizeBudget(TexelFont &font, Surface &work, const ZgfBuildInput &input)
{
    SilentFeedback quiet;
    ZgfBuildInput raw = input;
    raw.rle = false;
    ZgfBuildInput rle = input;
    rle.rle = true;
    return {partSizes(buildZgfFile(font, work, raw, quiet)), partSizes(buildZgfFile(font, work, rle, quiet))};
}
