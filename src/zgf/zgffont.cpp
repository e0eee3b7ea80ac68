#include "zgffont.h"

#include "codepage.h"
#include "fileerrors.h"
#include "windows1252.h"
#include "zgfdecoder.h"
#include "zgfpixel.h"

#include <QFile>
#include <QtEndian>

namespace {

// Larger than any font the format can describe: a 65535 x 255 RAW image, a RAW mask of
// 97920 x 382 and the largest tables.
constexpr qint64 MaxFileSize = 72 * 1024 * 1024;

// "\"g\" (code 103)"; a code without a printable character by its number alone.
QString codeText(quint8 code)
{
    const QString text = fromWindows1252(QByteArray(1, char(code)));
    const QString number = QStringLiteral("code %1").arg(code);
    if (text.size() != 1 || !text.at(0).isPrint() || text.at(0).isSpace())
        return number;
    return QStringLiteral("\"%1\" (%2)").arg(text, number);
}

} // namespace

ZgfFont ZgfFont::read(const QByteArray &data)
{
    ZgfFont font = parse(data, QString());
    font.mBytes = data;
    return font;
}

ZgfFont ZgfFont::readFile(const QString &path, qint64 offset)
{
    QFile file;
    openForReading(file, path);
    if (offset < 0 || offset > file.size()) {
        throw invalidZgfFormat(
            QStringLiteral("%1: offset %2 is outside the file of %3 bytes").arg(path).arg(offset).arg(file.size()));
    }
    if (!file.seek(offset))
        throw ioFailure(file);
    // Read only as much as the header declares, so a large file that is no font is not
    // loaded whole.
    QByteArray data = file.read(ZgfHeader::Size);
    if (data.size() == ZgfHeader::Size) {
        const qint64 declared = qFromLittleEndian<qint32>(data.constData() + 40);
        if (declared > ZgfHeader::Size)
            data += file.read(qMin(declared, MaxFileSize) - ZgfHeader::Size);
    }
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    ZgfFont font = parse(data, offset == 0 ? path : QStringLiteral("%1 at offset %2").arg(path).arg(offset));
    font.mBytes = data;
    return font;
}

ZgfFont ZgfFont::parse(const QByteArray &data, const QString &source)
{
    const QString prefix = source.isEmpty() ? QString() : source + QStringLiteral(" is not a valid ZGF font: ");
    const auto malformed = [&](const QString &detail) { return invalidZgfFormat(prefix + detail); };

    if (data.size() < ZgfHeader::Size)
        throw malformed(QStringLiteral("the file holds %1 bytes, fewer than the 76 of a ZGF header").arg(data.size()));
    if (!data.startsWith(QByteArrayView("ZGF\0", 4)))
        throw malformed(QStringLiteral("no ZGF signature"));

    ZgfFont font;
    ZgfHeader &h = font.mHeader;
    h = ZgfHeader::fromBytes(data.constData(), data.size());
    if (h.Version != 1)
        throw malformed(QStringLiteral("version %1 is not supported").arg(h.Version));
    if (!h.hasFlag(ZgfHeader::Color16))
        throw malformed(QStringLiteral("8-bpp fonts are not supported"));

    const int n = h.Count;
    const bool indents = h.hasFlag(ZgfHeader::HasIndents);
    const qint32 tablesEnd = ZgfHeader::Size + (indents ? 4 : 2) * n;
    if (h.FileLength < tablesEnd)
        throw malformed(QStringLiteral("the declared length of %1 bytes is less than the header and "
                                       "tables of %2 characters (%3 bytes)")
                            .arg(h.FileLength)
                            .arg(n)
                            .arg(tablesEnd));
    if (h.FileLength > data.size())
        throw malformed(QStringLiteral("the file is truncated: it holds %1 of the %2 bytes its header declares")
                            .arg(data.size())
                            .arg(h.FileLength));
    if (h.GlyphOffset != ZgfHeader::expectedGlyphOffset(h.Flags, h.Count))
        throw malformed(QStringLiteral("the glyph data offset %1 is not right after the tables (%2)")
                            .arg(h.GlyphOffset)
                            .arg(tablesEnd));

    font.mCodes = data.mid(ZgfHeader::Size, n);
    font.mWidths = data.mid(ZgfHeader::Size + n, n);
    font.mLeftIndents = indents ? data.mid(ZgfHeader::Size + 2 * n, n) : QByteArray(n, '\0');
    font.mRightIndents = indents ? data.mid(ZgfHeader::Size + 3 * n, n) : QByteArray(n, '\0');

    font.mIndexOfCode.fill(-1);
    font.mCellX.reserve(n);
    int x = 0;
    for (int i = 0; i < n; ++i) {
        font.mCellX.append(x);
        x += font.charWidth(i);
        qint16 &slot = font.mIndexOfCode[quint8(font.mCodes.at(i))];
        if (slot < 0)
            slot = qint16(i);
    }
    if (x != h.BitmapWidth)
        throw malformed(QStringLiteral("the glyph image is %1 pixels wide but the character widths add up to %2")
                            .arg(h.BitmapWidth)
                            .arg(x));

    qint32 glyphEnd = h.FileLength;
    if (font.hasMask()) {
        if (h.MaskOffset < h.GlyphOffset || h.MaskOffset > h.FileLength)
            throw malformed(QStringLiteral("the mask data offset %1 is outside the image data (%2 to %3)")
                                .arg(h.MaskOffset)
                                .arg(h.GlyphOffset)
                                .arg(h.FileLength));
        glyphEnd = h.MaskOffset;
        // A cell of negative width would move every later mask cell left, out of the image.
        for (int i = 0; i < n; ++i) {
            if (font.charWidth(i) + h.MaskWidthInc < 0)
                throw malformed(QStringLiteral("the mask cell of character %1 is %2 pixels wide (its width %3 "
                                               "plus MaskWidthInc %4)")
                                    .arg(codeText(quint8(font.mCodes.at(i))))
                                    .arg(font.charWidth(i) + h.MaskWidthInc)
                                    .arg(font.charWidth(i))
                                    .arg(h.MaskWidthInc));
        }
        font.mMaskWidth = h.maskWidth();
        font.mMaskHeight = h.maskHeight();
        if (font.mMaskWidth < 0 || font.mMaskHeight < 0)
            throw malformed(
                QStringLiteral("the mask size %1 x %2 is negative").arg(font.mMaskWidth).arg(font.mMaskHeight));
    }

    const QByteArrayView glyphData(data.constData() + h.GlyphOffset, glyphEnd - h.GlyphOffset);
    const QString glyphContext = prefix + QStringLiteral("glyph image");
    if (h.hasFlag(ZgfHeader::RleImage)) {
        if (glyphData.size() < minimumRleSize(h.BitmapWidth, h.BitmapHeight, 3))
            throw malformed(QStringLiteral("glyph image: RLE data of %1 bytes is too short for %2 x %3 pixels")
                                .arg(glyphData.size())
                                .arg(h.BitmapWidth)
                                .arg(h.BitmapHeight));
        font.mImage = decodeRlePixels16(glyphData, h.BitmapWidth, h.BitmapHeight, glyphContext);
    } else {
        font.mImage = decodeRawPixels16(glyphData, h.BitmapWidth, h.BitmapHeight, glyphContext);
    }

    if (font.hasMask()) {
        const QByteArrayView maskData(data.constData() + h.MaskOffset, h.FileLength - h.MaskOffset);
        const QString maskContext = prefix + QStringLiteral("mask");
        if (h.hasFlag(ZgfHeader::RleMask)) {
            if (maskData.size() < minimumRleSize(font.mMaskWidth, font.mMaskHeight, 1))
                throw malformed(QStringLiteral("mask: RLE data of %1 bytes is too short for %2 x %3 pixels")
                                    .arg(maskData.size())
                                    .arg(font.mMaskWidth)
                                    .arg(font.mMaskHeight));
            font.mMask = decodeRleLevels(maskData, font.mMaskWidth, font.mMaskHeight, maskContext);
        } else {
            font.mMask = decodeRawLevels(maskData, font.mMaskWidth, font.mMaskHeight, maskContext);
        }
    }
    return font;
}

QString ZgfFont::characters() const
{
    return fromCodePage(mCodePage, mCodes);
}

int ZgfFont::indexOf(QChar c) const
{
    const int code = codePageCode(mCodePage, c.unicode());
    return code < 0 ? -1 : mIndexOfCode[code];
}

Color ZgfFont::color(int x, int y) const
{
    return pixel16ToColor(pixel16(x, y));
}

int ZgfFont::maskAlpha(int x, int y) const
{
    return int(expandLevel5(maskLevel(x, y)));
}
