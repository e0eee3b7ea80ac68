#pragma once

#include "zgffont.h"

#include <QList>
#include <QString>

// A text drawn with a ZGF font: pixels 0xAARRGGBB, row-major, width x height of them.
struct ZgfTextImage
{
    int width = 0;
    int height = 0;
    QList<quint32> pixels;

    quint32 pixel(int x, int y) const { return pixels.at(qsizetype(y) * width + x); }
};

// One character cell of a laid-out text: the font's character index and where the cell's
// top-left corner lands.
struct ZgfPlacedGlyph
{
    int index = 0;
    int x = 0;
    int y = 0;
};

// Places the characters of a text the way a GP32 program draws it with the font. On each
// line the pen starts at 0; per character pen += left indent, the cell (its width-table
// columns of the glyph image) is drawn at the pen, then pen += width + right indent + the
// header's character separation. Line i starts at i x (image height + line separation).
//
// Lines break at CR LF, CR and LF. A character the font lacks (or that has no Windows-1252
// code) draws nothing and moves the pen by the header's default width plus the character
// separation: the advance of a space, whose cell is the width increment and whose right
// indent is the space's own width.
//
// The image covers the cells and pen advances right of and below (0, 0); whatever lies
// left of or above it (negative indents, negative separations) is clipped, as on the
// console's screen.
class ZgfTextLayout
{
public:
    // Lays out text; throws Failure 6 Overflow when the image would exceed 32767 pixels
    // in either direction or 2^25 pixels in all.
    ZgfTextLayout(const ZgfFont &font, const QString &text);

    const QList<ZgfPlacedGlyph> &glyphs() const { return mGlyphs; }
    int width() const { return mWidth; }
    int height() const { return mHeight; }

    // Draws the cells in order, later over earlier. Pixels of the font's transparent
    // colour are not drawn; what stays undrawn is 0x00000000 when transparent is set,
    // else the transparent colour, opaque. With the generic (not shadow) mask of a smooth
    // font, one with levels between 0 and 31, each pixel is drawn at the opacity of its mask
    // level (level / 31), the mask cell's glyph taken as centred by the mask increments;
    // any other font draws as without its mask.
    ZgfTextImage render(bool transparent = true) const;
    // Draws the cells through the font's mask (a font without one as render(true)). A glyph's
    // mask cell is MaskWidthInc and MaskHeightInc larger than its cell and centred on it
    // (half the increment, rounded down, before it). A generic mask gives each glyph pixel
    // the level under it as its opacity (31 opaque); a shadow mask is first drawn for every
    // glyph in the shadow colour, the levels as opacity, moved by the shadow's neutral
    // position plus its default position, and the glyphs opaque over the shadows. The
    // transparent colour is never drawn; pixels are ARGB, not premultiplied, undrawn ones
    // 0x00000000.
    ZgfTextImage renderMasked() const;

private:
    ZgfFont mFont; // shares the font's data
    QList<ZgfPlacedGlyph> mGlyphs;
    int mWidth = 0;
    int mHeight = 0;
};
