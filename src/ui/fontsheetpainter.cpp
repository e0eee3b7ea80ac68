#include "fontsheetpainter.h"

#include "glyphmeasurement.h"
#include "surface.h"
#include "texelfont.h"

#include <algorithm>
#include <cmath>

FontSheetPainter::Layout FontSheetPainter::draw(const TexelFont &font, const GlyphMeasurement &measured,
                                                Surface &surface, int paneWidth, int height)
{
    surface.setFont(font.surfaceFont());
    surface.setBackColor(font.TransColor);
    surface.setForeColor(font.Color);
    const QStringList &line = measured.characters;

    // Glyph by glyph, as the export draws them: the same places, since pairs are never
    // kerned, and much faster than one wide text item at large sizes.
    double lineWidth = 0;
    for (const QString &c : line)
        lineWidth += surface.textWidth(c);

    Layout layout;
    const double textWidth = std::ceil(lineWidth);
    layout.width = int(std::clamp<double>(textWidth, std::max(paneWidth, 0), MaxWidth));
    layout.height = std::max(measured.defaultHeight + measured.lineSep,
                             std::max<int>(measured.fontTop, 0) + measured.defaultHeight);
    layout.scrollable = layout.width > paneWidth;
    if (layout.scrollable)
        layout.scrollMaximum = layout.width - std::max(paneWidth, 0);

    surface.setSize(layout.width, std::clamp(height, 0, MaxWidth));
    surface.clear();
    // Ink above the line moves the line down, so that none is cut.
    const double top = measured.rowsAboveLine();
    double x = 0;
    for (qsizetype i = 0; i < line.size() && x < layout.width; ++i) {
        layout.edges.append(int(std::lround(x)));
        measured.drawGlyph(surface, i, x, top, true);
        x += surface.textWidth(line.at(i));
    }
    if (!layout.edges.isEmpty())
        layout.edges.append(int(std::lround(x)));
    return layout;
}

qsizetype FontSheetPainter::glyphAt(const Layout &layout, int x)
{
    // The last glyph starting at or before x; a glyph of no width is never under the pointer.
    const auto after = std::upper_bound(layout.edges.cbegin(), layout.edges.cend(), x);
    if (after == layout.edges.cbegin() || after == layout.edges.cend())
        return -1;
    return after - layout.edges.cbegin() - 1;
}
