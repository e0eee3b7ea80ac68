#include "samplepainter.h"

#include "twips.h"

#include "characters.h"
#include "checked.h"
#include "glyphmeasurement.h"
#include "surface.h"
#include "texelfont.h"

#include <cmath>

void SamplePainter::draw(const TexelFont &font, const GlyphMeasurement &measured, Surface &surface)
{
    surface.setFont(font.surfaceFont());
    surface.setForeColor(font.Color);
    QString text = font.SampleText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));

    // The advance is kept in 16-bit twips, as the layout of the panes has always been.
    const qint16 lineSum =
        toInt16(qint64(measured.defaultHeight) + font.CharHeightInc + measured.lineSep + font.LineSepExtra);
    const qint16 lineAdvance = toInt16(qint64(lineSum) * TwipsPerPixel);
    const double before = std::floor(font.CharWidthInc / 2.0);
    const double after = std::floor((font.CharWidthInc + 1) / 2.0) + font.CharSepExtra;
    const QString space = QStringLiteral(" ");

    surface.clear();
    float x = 0;
    // Ink above the line moves the lines down, so that none is cut.
    double y = measured.rowsAboveLine();
    for (const QString &c : charactersOf(text)) {
        if (c == QLatin1String("\r")) {
            x = 0;
            y += double(lineAdvance) / TwipsPerPixel;
            continue;
        }
        x += float(before);
        const qsizetype index = measured.indexOf(c);
        if (index >= 0) {
            measured.drawGlyph(surface, index, x, y, true);
            x += float(surface.textWidth(c));
        } else {
            surface.setCurrentX(x);
            surface.setCurrentY(y);
            surface.drawText(space);
            x += float(surface.textWidth(space));
        }
        x += float(after);
    }
}
