#pragma once

#include <QList>

class Surface;
class TexelFont;
struct GlyphMeasurement;

// Draws the font sheet: the whole character set on one line, rows joined, in the
// document's font and colour on its transparent colour, from the top-left corner, each
// glyph at the sum of the advances before it.
class FontSheetPainter
{
public:
    // The widest sheet a surface holds (16-bit sides); a wider set is cut at the right.
    static constexpr int MaxWidth = 32767;

    struct Layout
    {
        int width = 0;           // pixels: the text's width, at least the pane's
        int height = 0;          // pixels: the rows the line's text cells and ink take
        bool scrollable = false; // wider than the pane
        int scrollMaximum = 0;   // pixels the sheet can scroll, when scrollable
        // Where the glyphs were drawn: glyph i of the line spans edges[i] to edges[i + 1]
        // (pixels, rounded). Glyphs cut off at the right have no edges.
        QList<int> edges;
    };

    // Sizes the surface to the sheet (height as given) and draws it from the measured
    // glyphs of the document (measured); returns the sheet's width and
    // scroll range for a pane of the given inner width.
    static Layout draw(const TexelFont &font, const GlyphMeasurement &measured, Surface &surface, int paneWidth,
                       int height);

    // The index in the line of the glyph drawn at x, or -1 where there is none.
    static qsizetype glyphAt(const Layout &layout, int x);
};
