#include "zgfbuilder.h"

#include "characters.h"
#include "checked.h"
#include "failure.h"
#include "feedback.h"
#include "surface.h"
#include "measuredfont.h"
#include "texelfont.h"
#include "windows1252.h"
#include "zgfdecoder.h"
#include "zgfencoder.h"
#include "zgfheader.h"
#include "zgfpixel.h"
#include "zgftables.h"

#include <QBuffer>
#include <QDir>

#include <cmath>

namespace {

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

// The four tables, in the order of the file, each value checked against its byte.
QByteArray tablesOf(const TexelFont &font, const GlyphMeasurement &m)
{
    const QByteArray left = zgfLeftIndentTable(m);
    const QByteArray right = zgfRightIndentTable(m);
    if (font.Masked)
        checkZgfMaskCells(m, font.CharWidthInc, font.MaskWidthInc);
    return zgfCharacterTable(m, font.CodePage()) + zgfWidthTable(m, font.CharWidthInc) + left + right;
}

void refuseMaskWithoutFile(const TexelFont &font, const ZgfBuildInput &input)
{
    if (font.Masked && !input.maskPicture && !zgfMaskIsDrawn(font) && input.maskFileName.trimmed().isEmpty()) {
        throw Failure(Failure::InvalidCall,
                      QStringLiteral("The font has an alpha mask, but no mask bitmap file was given."));
    }
}

// The glyph image: the picture given, or on work, drawn from the measured glyphs or read
// from the edited bitmap of a post-processed font.
const Surface &prepareGlyphImage(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                                 const ZgfBuildInput &input)
{
    const MeasuredFont strips(font, measured);
    if (input.glyphPicture)
        return *input.glyphPicture;
    if (font.Postprocessed)
        loadEditedPicture(work, strips.ZgfGetBitmapWidth(), strips.ZgfGetBitmapHeight(), font.TransColor,
                          input.bitmapFileName);
    else
        strips.ZgfGenerateBitmap(work, 1, 1, false);
    return work;
}

// The mask image: the picture given, else on work, drawn (see zgfMaskIsDrawn) or read from
// its edited bitmap.
const Surface &prepareMask(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                           const ZgfBuildInput &input)
{
    const MeasuredFont strips(font, measured);
    if (input.maskPicture)
        return *input.maskPicture;
    if (zgfMaskIsDrawn(font)) {
        strips.ZgfGenerateMask(work, 1, 1, false);
        return work;
    }
    loadEditedPicture(work, strips.ZgfGetMaskWidth(), strips.ZgfGetMaskHeight(), font.maskBackground(),
                      input.maskFileName);
    return work;
}

void encode(QIODevice &out, const Surface &picture, bool rle, bool mask, bool invert, Feedback &feedback)
{
    const auto coder = rle ? RLEEncodeBitmap16 : RAWEncodeBitmap16;
    coder(out, picture, mask ? 1 : 3, invert, feedback);
}

// Codes the picture onto out, then decodes it again and compares it with the picture, so
// that a coding fault is a failure rather than a wrong font.
void encodeVerified(QBuffer &out, const Surface &picture, bool rle, bool mask, bool invert, Feedback &feedback)
{
    const qint64 start = out.pos();
    encode(out, picture, rle, mask, invert, feedback);
    const QString what = mask ? QStringLiteral("alpha mask") : QStringLiteral("glyph image");
    const QByteArrayView coded = QByteArrayView(out.buffer()).sliced(start);
    if (const auto at = firstCodingDifference(coded, picture, rle, mask ? 1 : 3, invert, what)) {
        throw Failure(Failure::DeviceIO,
                      QStringLiteral("Device I/O error: the coded %1 does not read back as drawn "
                                     "(first difference at %2, %3)")
                          .arg(what)
                          .arg(at->x())
                          .arg(at->y()));
    }
}

// A device that only counts what is written to it.
class ByteCounter : public QIODevice
{
public:
    ByteCounter() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 size) override { return size; }
};

// The bytes the picture takes coded RAW and RLE.
std::pair<qint64, qint64> codedSizes(const Surface &picture, bool mask, bool invert)
{
    SilentFeedback quiet;
    ByteCounter raw;
    encode(raw, picture, false, mask, invert, quiet);
    ByteCounter rle;
    encode(rle, picture, true, mask, invert, quiet);
    return {raw.pos(), rle.pos()};
}

} // namespace

bool zgfMaskIsDrawn(const TexelFont &font)
{
    return font.smoothMask() && !font.Postprocessed;
}

QString unencodableCharacters(const QString &chars, CodePage page)
{
    return charactersWithoutCode(page, TexelFont::glyphSequence(chars));
}

ZgfHeader zgfHeaderOf(const TexelFont &font, const GlyphMeasurement &m, bool rle)
{
    ZgfHeader h;
    h.Flags = flagsOf(font, rle);
    h.PointSize = toUByte(qint64(std::floor(double(font.Size()) + 0.25)), QStringLiteral("the point size"));
    h.FaceName = toWindows1252(font.TTFName());
    if (h.FaceName.size() > 32) {
        throw Failure(
            Failure::Overflow,
            QStringLiteral("Overflow: the face name \"%1\" is longer than 32 characters").arg(font.TTFName()));
    }
    h.TransColor = quint16(ColorToPixel16(font.TransColor, 1));
    h.ShadowColor = quint16(ColorToPixel16(font.ShadowColor, 1));
    const MeasuredFont measured(font, m);
    h.BitmapWidth = toUInt16(measured.ZgfGetBitmapWidth(false));
    h.BitmapHeight = toUByte(measured.ZgfGetBitmapHeight(false), QStringLiteral("the glyph image height"));
    h.DefaultWidth = toUByte(measured.ZgfDefaultWidth(), QStringLiteral("the default width"));
    h.DefaultHeight = toUByte(measured.ZgfDefaultHeight(), QStringLiteral("the default height"));
    h.MaxCharWidth = toUByte(measured.ZgfMaxCharWidth(), QStringLiteral("the widest character"));
    h.MaxCharHeight = toUByte(measured.ZgfMaxCharHeight(), QStringLiteral("the tallest character"));
    h.MaskWidthInc = toSignedByte(font.MaskWidthInc, QStringLiteral("the mask width increment"));
    h.MaskHeightInc = toSignedByte(font.MaskHeightInc, QStringLiteral("the mask height increment"));
    h.ShadowOX = toSignedByte(font.ShadowOX, QStringLiteral("the shadow's neutral x"));
    h.ShadowOY = toSignedByte(font.ShadowOY, QStringLiteral("the shadow's neutral y"));
    h.ShadowXPos = toSignedByte(font.ShadowXPos, QStringLiteral("the shadow's x position"));
    h.ShadowYPos = toSignedByte(font.ShadowYPos, QStringLiteral("the shadow's y position"));
    h.LineSep = toSignedByte(qint64(m.lineSep) + font.LineSepExtra, QStringLiteral("the line separation"));
    h.CharSep = toSignedByte(font.CharSepExtra, QStringLiteral("the character separation"));
    const qsizetype count = m.glyphs.size();
    if (count > 255) {
        throw Failure(Failure::Overflow,
                      QStringLiteral("Overflow: the font has %1 characters, at most 255 fit").arg(count));
    }
    h.Count = quint8(count);
    return h;
}

void refuseUndrawnFontFile(const TexelFont &font, Surface &work)
{
    if (font.FontFile().isEmpty())
        return;
    work.setFont(font.surfaceFont());
    if (work.font().file.isEmpty()) {
        throw Failure(Failure::FileNotFound,
                      QStringLiteral("The font file %1 is missing or cannot be read: nothing is written, as "
                                     "another family would be drawn in its place.")
                          .arg(QDir::toNativeSeparators(font.FontFile())));
    }
}

QByteArray buildZgfFile(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                        const ZgfBuildInput &input, Feedback &feedback)
{
    refuseUndrawnFontFile(font, work);
    refuseMaskWithoutFile(font, input);
    ZgfHeader header;
    QByteArray tables;
    try {
        header = zgfHeaderOf(font, measured, input.rle);
        tables = tablesOf(font, measured);
    } catch (const Failure &failure) {
        if (failure.number == Failure::Overflow)
            throw font.fontFileFailure(failure);
        throw;
    }

    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    out.write(header.toBytes());
    out.write(tables);

    header.GlyphOffset = qint32(out.pos());
    encodeVerified(out, prepareGlyphImage(font, measured, work, input), input.rle, false, false, feedback);
    if (font.Masked) {
        header.MaskOffset = qint32(out.pos());
        encodeVerified(out, prepareMask(font, measured, work, input), input.rle, true, font.InvertMask, feedback);
    }
    header.FileLength = toInt32(out.pos());
    out.close();
    bytes.replace(0, ZgfHeader::Size, header.toBytes());
    return bytes;
}

ZgfSizeBudget zgfSizeBudget(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                            const ZgfBuildInput &input)
{
    refuseMaskWithoutFile(font, input);
    zgfHeaderOf(font, measured, true);
    const qint64 start = ZgfHeader::Size + tablesOf(font, measured).size();
    const auto [rawGlyphs, rleGlyphs] = codedSizes(prepareGlyphImage(font, measured, work, input), false, false);
    qint64 rawMask = 0, rleMask = 0;
    if (font.Masked)
        std::tie(rawMask, rleMask) = codedSizes(prepareMask(font, measured, work, input), true, font.InvertMask);
    return {{rawGlyphs, rawMask, start + rawGlyphs + rawMask}, {rleGlyphs, rleMask, start + rleGlyphs + rleMask}};
}

void loadEditedPicture(Surface &work, int width, int height, Color background, const QString &fileName)
{
    work.setBackColor(background);
    work.setSize(width, height);
    work.clear();
    work.loadPicture(fileName);
}
