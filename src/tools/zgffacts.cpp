#include "zgffacts.h"

#include "zgfflagnames.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <QColor>

namespace {

QString colorText(quint16 pixel)
{
    return QColor::fromRgb(pixelFromColor(pixel16ToColor(pixel))).name().toUpper();
}

QString sizeText(int width, int height)
{
    return QStringLiteral("%1 x %2").arg(width).arg(height);
}

QString coding(const ZgfHeader &h, quint16 rleFlag)
{
    return h.hasFlag(rleFlag) ? QStringLiteral("RLE") : QStringLiteral("RAW");
}

QString signedText(int value)
{
    return value > 0 ? QStringLiteral("+%1").arg(value) : QString::number(value);
}

} // namespace

QList<ZgfFacts::Line> ZgfFacts::of(const ZgfFont &font)
{
    const ZgfHeader &h = font.header();
    QList<Line> lines;
    const auto add = [&lines](const char *label, const QString &value) { lines.append({QLatin1String(label), value}); };
    add("Face name", h.faceNameText());
    add("Point size", QString::number(h.PointSize));
    add("Flags", QStringLiteral("%1: %2").arg(h.Flags).arg(zgfFlagNames(h.Flags).join(QStringLiteral(", "))));
    add("Glyph image",
        QStringLiteral("%1, %2 pixels")
            .arg(coding(h, ZgfHeader::RleImage), sizeText(font.imageWidth(), font.imageHeight())));
    if (font.hasMask()) {
        add("Mask",
            QStringLiteral("%1, %2 pixels (cells %3 wide, %4 high)")
                .arg(coding(h, ZgfHeader::RleMask), sizeText(font.maskWidth(), font.maskHeight()),
                     signedText(h.MaskWidthInc), signedText(h.MaskHeightInc)));
    } else {
        add("Mask", QStringLiteral("none"));
    }
    add("Characters", QString::number(font.count()));
    add("Default size", sizeText(h.DefaultWidth, h.DefaultHeight));
    add("Largest character", sizeText(h.MaxCharWidth, h.MaxCharHeight));
    add("Separations", QStringLiteral("characters %1, lines %2").arg(h.CharSep).arg(h.LineSep));
    add("Transparent colour", colorText(h.TransColor));
    if (h.hasFlag(ZgfHeader::ShadowMaskFlag)) {
        add("Shadow",
            QStringLiteral("%1, position %2, %3, neutral %4, %5")
                .arg(colorText(h.ShadowColor))
                .arg(h.ShadowXPos)
                .arg(h.ShadowYPos)
                .arg(h.ShadowOX)
                .arg(h.ShadowOY));
    }
    QString layout = QStringLiteral("%1 bytes, glyph data at %2").arg(h.FileLength).arg(h.GlyphOffset);
    if (font.hasMask())
        layout += QStringLiteral(", mask at %1").arg(h.MaskOffset);
    add("File", layout);
    return lines;
}

QString ZgfFacts::caption(const ZgfFont &font, int index)
{
    const QChar c = font.characters().at(index);
    if (c == QLatin1Char(' '))
        return QStringLiteral("space");
    if (c == QChar(0xA0))
        return QStringLiteral("nbsp");
    if (!c.isPrint())
        return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return QString(c);
}

QString ZgfFacts::character(const ZgfFont &font, int index)
{
    const int code = quint8(font.codes().at(index));
    return QStringLiteral("%1   code %2 (0x%3)   width %4   left indent %5, right indent %6")
        .arg(caption(font, index))
        .arg(code)
        .arg(QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper())
        .arg(font.charWidth(index))
        .arg(font.leftIndent(index))
        .arg(font.rightIndent(index));
}
