#include "zgfreport.h"

#include "documentoptions.h"
#include "zgfflagnames.h"
#include "zgffont.h"
#include "zgfpixel.h"

namespace {

void addColor(InfoReport &report, const QString &key, quint16 pixel)
{
    const Color color = pixel16ToColor(pixel);
    report.add(
        key, color,
        QStringLiteral("#%1 (%2, pixel 0x%3)").arg(colorToHex(color)).arg(color).arg(pixel, 4, 16, QLatin1Char('0')));
}

QJsonArray table(const ZgfFont &font, int (ZgfFont::*entry)(int) const)
{
    QJsonArray values;
    for (int i = 0; i < font.count(); ++i)
        values.append((font.*entry)(i));
    return values;
}

} // namespace

InfoReport zgfReport(const ZgfFont &font, bool validHeader)
{
    const ZgfHeader &h = font.header();
    InfoReport r;
    r.add(QStringLiteral("IsValidZgfHeader"), validHeader);
    r.add(QStringLiteral("Flags"), h.Flags,
          QStringLiteral("%1 (%2)").arg(h.Flags).arg(zgfFlagNames(h.Flags).join(QStringLiteral(", "))));
    r.add(QStringLiteral("PointSize"), h.PointSize);
    r.add(QStringLiteral("FaceName"), h.faceNameText());
    r.add(QStringLiteral("FileLength"), h.FileLength);
    r.add(QStringLiteral("GlyphOffset"), h.GlyphOffset);
    r.add(QStringLiteral("MaskOffset"), h.MaskOffset);
    addColor(r, QStringLiteral("TransColor"), h.TransColor);
    addColor(r, QStringLiteral("ShadowColor"), h.ShadowColor);
    r.add(QStringLiteral("BitmapWidth"), h.BitmapWidth);
    r.add(QStringLiteral("BitmapHeight"), h.BitmapHeight);
    r.add(QStringLiteral("DefaultWidth"), h.DefaultWidth);
    r.add(QStringLiteral("DefaultHeight"), h.DefaultHeight);
    r.add(QStringLiteral("MaxCharWidth"), h.MaxCharWidth);
    r.add(QStringLiteral("MaxCharHeight"), h.MaxCharHeight);
    r.add(QStringLiteral("MaskWidthInc"), h.MaskWidthInc);
    r.add(QStringLiteral("MaskHeightInc"), h.MaskHeightInc);
    r.add(QStringLiteral("ShadowOX"), h.ShadowOX);
    r.add(QStringLiteral("ShadowOY"), h.ShadowOY);
    r.add(QStringLiteral("ShadowXPos"), h.ShadowXPos);
    r.add(QStringLiteral("ShadowYPos"), h.ShadowYPos);
    r.add(QStringLiteral("LineSep"), h.LineSep);
    r.add(QStringLiteral("CharSep"), h.CharSep);
    r.add(QStringLiteral("Count"), h.Count);
    r.add(QStringLiteral("CodePage"), codePageName(font.codePage()));
    r.add(QStringLiteral("Chars"), font.characters());
    r.add(QStringLiteral("Widths"), table(font, &ZgfFont::charWidth));
    r.add(QStringLiteral("LeftIndents"), table(font, &ZgfFont::leftIndent));
    r.add(QStringLiteral("RightIndents"), table(font, &ZgfFont::rightIndent));
    r.add(QStringLiteral("Rle"), h.hasFlag(ZgfHeader::RleImage));
    r.add(QStringLiteral("Masked"), font.hasMask());
    r.addNote(QStringLiteral("Image"), QStringLiteral("%1 x %2").arg(font.imageWidth()).arg(font.imageHeight()));
    if (font.hasMask())
        r.addNote(QStringLiteral("Mask"), QStringLiteral("%1 x %2").arg(font.maskWidth()).arg(font.maskHeight()));
    return r;
}
