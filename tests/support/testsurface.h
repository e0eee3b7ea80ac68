#pragma once

#include "surface.h"

#include <QHash>
#include <QImage>

#include <optional>
#include <vector>

// A deterministic Surface whose glyphs are known rectangles, so layout and encoding can
// be asserted to the pixel. Text metrics come from a table; the raster is a QImage. A glyph's
// ink may lie outside its line and advance; drawing cuts it at the raster's edges. A
// character beyond 16 bits is one glyph.
class TestSurface : public Surface
{
public:
    struct Glyph
    {
        int advance = 0;
        int inkLeft = 0; // relative to the pen position
        int inkTop = 0;  // relative to the cell top
        int inkWidth = 0;
        int inkHeight = 0;
    };

    // Every character without a glyph of its own draws a 4 x 8 box at (1, 3), advance 6;
    // a space has advance spaceWidth and no ink.
    explicit TestSurface(int lineHeight = 15, int spaceWidth = 4);

    void setGlyph(const QString &character, Glyph glyph) { mGlyphs.insert(character, glyph); }
    void setGlyph(QChar c, Glyph glyph) { setGlyph(QString(c), glyph); }
    // Whether textBounds() tells the glyphs' ink boxes, or nothing, as a renderer that cannot.
    void setBoundsKnown(bool known) { mBoundsKnown = known; }
    // The row from the cell top where an underlined font draws its line under each
    // character's advance; by default none is drawn.
    void setUnderlineRow(int row) { mUnderlineRow = row; }
    // Characters the font does not have (they still draw, as a fallback would).
    void setMissing(const QString &characters) { mMissing = characters; }
    Glyph glyph(const QString &character) const;
    Glyph glyph(QChar c) const { return glyph(QString(c)); }
    void setPixel(int x, int y, Color color);
    // How often drawText() was called, to check what was drawn where.
    int drawCount() const { return mDrawCount; }

    void setFont(const SurfaceFont &font) override { mFont = font; }
    SurfaceFont font() const override { return mFont; }
    void setBackColor(Color color) override { mBack = color; }
    Color backColor() const override { return mBack; }
    void setForeColor(Color color) override { mFore = color; }
    Color foreColor() const override { return mFore; }
    void setSize(int width, int height) override;
    int width() const override { return mImage.width(); }
    int height() const override { return mImage.height(); }
    void clear() override;
    void setCurrentX(double x) override { mX = x; }
    void setCurrentY(double y) override { mY = y; }
    double currentX() const override { return mX; }
    double currentY() const override { return mY; }
    void drawText(const QString &text) override;
    double textWidth(const QString &text) const override;
    bool hasGlyph(const QString &character) const override { return !mMissing.contains(character); }
    double textHeight(const QString &) const override { return mLineHeight; }
    QRectF textBounds(const QString &text) const override;
    bool drawsAlikeEverywhere() const override { return true; }
    const quint32 *scanLine(int y) const override;
    void loadPicture(const QString &path) override;
    QByteArray pictureBytes() const override;

protected:
    quint32 *writableScanLine(int y) override { return reinterpret_cast<quint32 *>(mImage.scanLine(y)); }

private:
    // Paints the box in the drawing colour, cut at the raster's edges.
    void fill(int x, int y, int width, int height);

    QImage mImage;
    QHash<QString, Glyph> mGlyphs;
    bool mBoundsKnown = true;
    std::optional<int> mUnderlineRow;
    QString mMissing;
    SurfaceFont mFont;
    Color mBack = 0xFFFFFF;
    Color mFore = 0;
    double mX = 0;
    double mY = 0;
    int mLineHeight;
    int mSpaceWidth;
    int mDrawCount = 0;
};

// Every pixel of the surface, row after row.
inline std::vector<quint32> pixelsOf(const Surface &s)
{
    std::vector<quint32> all;
    for (int y = 0; y < s.height(); ++y)
        all.insert(all.end(), s.scanLine(y), s.scanLine(y) + s.width());
    return all;
}

// The box of the pixels that are not the background colour; empty when there are none.
inline QRect inkRect(const Surface &s)
{
    QRect box;
    for (int i = 0; const quint32 pixel : pixelsOf(s)) {
        if (pixel != pixelFromColor(s.backColor()))
            box |= QRect(i % s.width(), i / s.width(), 1, 1);
        ++i;
    }
    return box;
}
