#include "samplepainter.h"

#include "previewfont.h"
#include "twips.h"

#include "checked.h"
#include "surface.h"
#include "texelfont.h"

#include <cmath>

void SamplePainter::draw(TexelFont &font, Surface &surface)
{
    surface.setFont(previewFont(font));
    surface.setForeColor(font.Color);
    QString text = font.SampleText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    const QString glyphs = TexelFont::glyphSequence(font.Chars());

    // The advance is kept in 16-bit twips, as the layout of the panes has always been.
    const qint16 lineSum = toInt16(qint64(font.DefaultHeight()) + font.CharHeightInc
                                   + font.LineSep() + font.LineSepExtra);
    const qint16 lineAdvance = toInt16(qint64(lineSum) * TwipsPerPixel);
    const double before = std::floor(font.CharWidthInc / 2.0);
    const double after = std::floor((font.CharWidthInc + 1) / 2.0) + font.CharSepExtra;
    const QString space = QStringLiteral(" ");

    surface.clear();
    float x = 0;
    for (const QChar c : std::as_const(text)) {
        if (c == QLatin1Char('\r')) {
            x = 0;
            surface.setCurrentX(0);
            surface.setCurrentY(surface.currentY() + double(lineAdvance) / TwipsPerPixel);
            continue;
        }
        x += float(before);
        surface.setCurrentX(x);
        const QString glyph = glyphs.contains(c) ? QString(c) : space;
        surface.drawText(glyph);
        x += float(surface.textWidth(glyph));
        x += float(after);
    }
}
