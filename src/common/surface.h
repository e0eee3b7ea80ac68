#pragma once

#include "hinting.h"
#include "inkimage.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QtGlobal>

// Colours are 0x00BBGGRR (red in the low byte) in a signed 32-bit value.
using Color = qint32;

// Scan-line pixels are 0xffRRGGBB, the layout of a 32-bit RGB raster.
inline constexpr quint32 pixelFromColor(Color color)
{
    return 0xff000000u | ((quint32(color) & 0xffu) << 16) | (quint32(color) & 0xff00u)
        | ((quint32(color) >> 16) & 0xffu);
}

inline constexpr Color colorFromPixel(quint32 pixel)
{
    return Color(((pixel >> 16) & 0xffu) | (pixel & 0xff00u) | ((pixel & 0xffu) << 16));
}

// over drawn on under at an opacity of level / 31 (both 0xffRRGGBB).
quint32 blendedPixel(quint32 under, quint32 over, int level);

// A font as requested of a surface, or as the renderer realised it.
struct SurfaceFont
{
    QString name;
    float size = 0.0f; // points, on a 96 dpi raster
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    // A font file drawn from instead of the installed families; the family of name is drawn
    // while the file cannot be read.
    QString file;
    Hinting hinting = Hinting::Full;
    // Drawn with anti-aliased edges: each pixel a glyph covers gets the drawing colour at an
    // opacity of its coverage.
    bool smooth = false;

    bool operator==(const SurfaceFont &) const = default;
};

// An off-screen raster that draws text in an installed font and gives its pixels back.
// Units are pixels. Sizes and positions are whole pixels; text metrics may be fractional.
class Surface
{
public:
    virtual ~Surface() = default;

    // Sets the font; the renderer realises the size on a 96 dpi raster.
    virtual void setFont(const SurfaceFont &font) = 0;
    // The font as realised (a requested 10 pt comes back as 9.75 on a whole-pixel raster).
    virtual SurfaceFont font() const = 0;

    virtual void setBackColor(Color color) = 0;
    virtual Color backColor() const = 0;
    virtual void setForeColor(Color color) = 0;
    virtual Color foreColor() const = 0;

    // Resizes the raster; its contents are undefined until the next clear().
    virtual void setSize(int width, int height) = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills with the background colour and moves the drawing position to (0, 0).
    virtual void clear() = 0;

    // Top-left corner of the next text's cell.
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    // Paints only the glyph pixels in the drawing colour; advances the position by the
    // text's width.
    virtual void drawText(const QString &text) = 0;

    // Whether the current font itself has a glyph for the character (one code point, a
    // surrogate pair beyond 16 bits); false when the renderer would draw it from a fallback
    // family, or draw nothing.
    virtual bool hasGlyph(const QString &character) const = 0;

    // Advance width and line height (ascent plus descent) in the current font.
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;
    // The box of the pixels the text draws, relative to its pen position at the top of its
    // text cell (empty for a text without ink), when the surface draws alike everywhere; with
    // an underline or strikethrough, at least the box of the lines.
    virtual QRectF textBounds(const QString &text) const = 0;

    // Whether a text drawn at two whole-pixel positions gives the same pixels, moved, in
    // the current font. A renderer that places outlines at their exact position may round
    // an edge pixel differently elsewhere.
    virtual bool drawsAlikeEverywhere() const = 0;

    // Pixels of row y as 0xffRRGGBB, width() of them; y must be within 0..height()-1.
    virtual const quint32 *scanLine(int y) const = 0;
    Color pixel(int x, int y) const { return colorFromPixel(scanLine(y)[x]); }

    // Paints the ink in the drawing colour with the box's top-left corner at (x, y), cut
    // at the surface's edges as drawing is; ink with levels at their opacity, as a smooth
    // font draws.
    void paintInk(int x, int y, const InkImage &ink);
    // Every pixel that is not the background colour becomes the drawing colour: the ink of
    // a smooth font wherever it covers any part of a pixel.
    void fillCoveredPixels();

    // Draws a picture file at the top-left corner, keeping the surface's size; throws a
    // Failure naming the file when it cannot be read.
    virtual void loadPicture(const QString &path) = 0;
    // The whole surface as an uncompressed BMP file; throws a Failure when it has no pixels
    // or cannot be coded.
    virtual QByteArray pictureBytes() const = 0;

protected:
    // Row y for painting, as scanLine().
    virtual quint32 *writableScanLine(int y) = 0;
};
