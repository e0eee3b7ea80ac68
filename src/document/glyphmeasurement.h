#pragma once

#include "char.h"
#include "inkimage.h"
#include "surface.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// A glyph's ink as the measuring surface drew it, in its measured box (Width x Height at
// Left, Top from the pen position, the top of the text cell; ink above the line has a
// negative Top).
struct GlyphImage
{
    InkImage ink;
    // The image holds all of the glyph's ink and nothing else: none lay outside the
    // measuring surface, all of it was in the drawing colour (which is not the
    // background's), and no underline or strikethrough ran on from the space drawn before.
    bool whole = false;
    // Whole, and the surface draws alike everywhere, so drawing the glyph at any
    // whole-pixel pen position gives exactly these pixels there.
    bool exact = false;
};

// What measuring a character set yields: every glyph's measurements and image, and the
// metrics of the whole set. The strips, the sheet and the sample draw the glyphs from their
// images, so they show what was measured.
struct GlyphMeasurement
{
    QString sequence;         // the glyphs, CR LF pairs removed
    QStringList characters;   // the characters of sequence, one per glyph
    QList<Char> glyphs;       // in the order of sequence
    QList<GlyphImage> images; // likewise
    qint16 defaultWidth = 0;  // the space's advance
    qint16 defaultHeight = 0; // the height of the union of the ink boxes
    qint16 lineSep = 0;       // the line height less defaultHeight
    qint16 fontTop = -1;      // the smallest Top of a glyph with ink (ink above the line: < 0); -1 when none
    bool smooth = false;      // measured smooth: the images have levels
    // The characters of the set, each once, that the font itself does not have: the renderer
    // draws them from a fallback family, or draws nothing.
    QString missing;
    // What it was measured from: the surface's font and colours (the ink read back depends
    // on them); nothing before the first measurement.
    std::optional<SurfaceFont> font;
    Color backColor = 0;
    Color foreColor = 0;

    // Rows of ink above the top of the line: where a preview drawing the line from the top
    // of its surface puts that top, so that no ink is cut.
    qint16 rowsAboveLine() const { return defaultHeight > 0 && fontTop < 0 ? qint16(-fontTop) : qint16(0); }
    // The glyph of character, or -1 when the set has none.
    qsizetype indexOf(const QString &character) const { return characters.indexOf(character); }

    // Draws glyph index with its pen position at (x, y), the top of its text cell, on a
    // surface set to the measured font and to the colours wanted: from its image when that
    // is exact and the position whole pixels, else by drawing the character. A preview
    // takes any whole image, at the nearest pixel: a renderer that does not draw alike
    // everywhere differs only in an edge pixel here and there.
    void drawGlyph(Surface &surface, qsizetype index, double x, double y, bool preview = false) const;
};

// Measures every glyph of sequence on surface, whose font and colours are set: each is drawn
// after a space (whose advance is spaceWidth) on a surface at least one line high with a
// space's width of room on either side of the glyph, larger wherever the renderer says the
// glyph's ink reaches further or the ink found touches an edge, so that no ink is cut; its
// ink box and image are read back. A character beyond 16 bits is one glyph. lined says the
// font is underlined or struck through. A glyph is drawn with its pen on a whole pixel also
// when the space's advance is fractional (an unhinted font). smooth says
// the surface draws smooth, white on black: every pixel not black is ink, its level of
// coverage read from its grey.
GlyphMeasurement measureGlyphs(Surface &surface, const QString &sequence, qint16 spaceWidth, bool lined,
                               bool smooth = false);
