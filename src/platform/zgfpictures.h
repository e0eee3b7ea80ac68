#pragma once

#include "surface.h"

#include <QImage>
#include <QString>

#include <functional>
#include <optional>

class ZgfFont;

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
    // The text drawn as a GP32 program draws it (see ZgfTextLayout), at (0, 0) of a screen of
    // the text's size filled with a plain colour, or with a checker board when none is given;
    // every pixel a GP32 pixel. RGB32. Throws as ZgfTextLayout does.
    static QImage textImage(const ZgfFont &font, const QString &text, std::optional<Color> background = std::nullopt);
    // The same over a picture, from its top-left corner (white where it ends).
    static QImage textImage(const ZgfFont &font, const QString &text, const QImage &backdrop);
    // Every pixel enlarged to factor x factor (1 to MaxZoom), with no smoothing.
    static QImage zoomed(const QImage &image, int factor);

private:
    // The text drawn over the screen pixel (x, y) gives, 0xAARRGGBB (made a GP32 pixel).
    static QImage textImage(const ZgfFont &font, const QString &text, const std::function<QRgb(int, int)> &screen);
};
