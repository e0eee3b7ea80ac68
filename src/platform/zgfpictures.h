#pragma once

#include "surface.h"

#include <QImage>
#include <QString>

#include <optional>

class ZgfFont;
struct ZgfTextImage;

// A ZGF font as pictures: its glyph image, its mask and texts drawn with it, each pixel
// as the font stores it (5-bit levels widened to 8 bits).
class ZgfPictures
{
public:
    // Side of a checker square behind a text, in font pixels, and its two greys.
    static constexpr int CheckerSquare = 4;
    static constexpr QRgb CheckerLight = 0xFFCCCCCC;
    static constexpr QRgb CheckerDark = 0xFF999999;
    static constexpr int MaxZoom = 64;

    // The glyph image, RGB32.
    static QImage glyphImage(const ZgfFont &font);
    // The mask as grey levels, white where a glyph is opaque; a null image without a mask.
    static QImage maskImage(const ZgfFont &font);
    // The text laid out and drawn as a GP32 program draws it (through its mask when masked
    // is set, see ZgfTextLayout::renderMasked), the transparent colour keyed out over a
    // plain colour, or over a checker board when none is given. RGB32.
    static QImage textImage(const ZgfFont &font, const QString &text,
                            std::optional<Color> background = std::nullopt, bool masked = false);
    // The drawn text with undrawn pixels transparent, ARGB32.
    static QImage transparentImage(const ZgfTextImage &drawn);
    // Every pixel enlarged to factor x factor (1 to MaxZoom), with no smoothing.
    static QImage zoomed(const QImage &image, int factor);
};
