#include "fontsheetpainter.h"

#include "previewfont.h"

#include "surface.h"
#include "texelfont.h"

#include <cmath>

FontSheetPainter::Layout FontSheetPainter::draw(const TexelFont &font, Surface &surface,
                                                int paneWidth, int height)
{
    surface.setFont(previewFont(font));
    surface.setBackColor(font.TransColor);
    surface.setForeColor(font.Color);
    const QString line = TexelFont::glyphSequence(font.Chars());

    Layout layout;
    const double textWidth = std::ceil(surface.textWidth(line));
    layout.width = int(std::clamp<double>(textWidth, std::max(paneWidth, 0), MaxWidth));
    layout.scrollable = layout.width > paneWidth;
    if (layout.scrollable)
        layout.scrollMaximum = layout.width - std::max(paneWidth, 0);

    surface.setSize(layout.width, std::clamp(height, 0, MaxWidth));
    surface.clear();
    surface.drawText(line);
    return layout;
}
