#pragma once

#include "striketext.h"
#include "surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <memory>

// The Qt raster Surface: a 32-bit RGB image at 96 dpi on which QPainter draws text in an
// aliased, fully hinted font (unless the font asks for other hinting or smooth edges; slight
// hinting is drawn anti-aliased and cut at half coverage), so
// advances are whole pixels and the background stays a clean colour key. A font file is
// drawn from its own data when it can be read, never from an installed namesake: outlines
// under a family name of the program's own, a bitmap font strike by strike from its
// bitmaps; its realised font then names the file and the face's family and style. Needs a
// QGuiApplication.
//
// The surface is drawn on many times a second while a font is measured (resize, clear, draw
// one glyph, read it back), so it keeps one painter and one image buffer that only grows
// (or shrinks when far too large); the pixels beyond the size set are never shown.
class RasterSurface : public Surface
{
public:
    // Sizes beyond these are refused: an em above this many points, a side above 16 bits.
    static constexpr float MaxPointSize = 1000.0f;
    static constexpr int MaxSide = 32767;

    // A 0 x 0 surface, white background, black drawing colour, the default family at 9.75 pt.
    RasterSurface();
    RasterSurface(const RasterSurface &) = delete;
    RasterSurface &operator=(const RasterSurface &) = delete;
    ~RasterSurface() override;

    // Requests the font at size * 96 / 72 pixels per em, rounded half away from zero (10 pt
    // is realised as 13 pixels, read back as 9.75 pt). A size that is not a number, or whose
    // em is under one pixel or above MaxPointSize, fails with 5 and keeps the old font.
    void setFont(const SurfaceFont &font) override;
    SurfaceFont font() const override
    {
        realiseFont();
        return mRealised;
    }

    void setBackColor(Color color) override { mBack = color; }
    Color backColor() const override { return mBack; }
    void setForeColor(Color color) override;
    Color foreColor() const override { return mFore; }

    // Fails with 5 for a negative side, one above MaxSide, or a raster that cannot be had.
    void setSize(int width, int height) override;
    int width() const override { return mWidth; }
    int height() const override { return mHeight; }

    void clear() override;

    void setCurrentX(double x) override
    {
        mX = x;
        mPendingAdvance.clear();
    }
    void setCurrentY(double y) override { mY = y; }
    double currentX() const override;
    double currentY() const override { return mY; }

    void drawText(const QString &text) override;
    double textWidth(const QString &text) const override;
    bool hasGlyph(const QString &character) const override;
    double textHeight(const QString &) const override
    {
        realiseFont();
        return mLineHeight;
    }
    QRectF textBounds(const QString &text) const override;
    // Qt draws glyphs up to a size from a cache of rendered glyphs, and larger ones as
    // outlines at their exact position, whose edge pixels may round differently elsewhere.
    bool drawsAlikeEverywhere() const override;

    const quint32 *scanLine(int y) const override;

    // Draws the picture file at the top left; fails as readPictureFile does.
    void loadPicture(const QString &path) override;
    // A 24-bit BMP written through a temporary file; a 0 x 0 surface fails with 5.
    QByteArray pictureBytes() const override;

    // A copy of the visible pixels, width() x height(), for windows that show the surface.
    QImage image() const;
    // Takes the picture's size and pixels (an edited image to code or save); fails as
    // setSize does.
    void setPixels(const QImage &picture);

protected:
    quint32 *writableScanLine(int y) override;

private:
    void applyFont(const SurfaceFont &font);
    // Applies the font requested when it has not been yet (the default family, until one is set).
    void realiseFont() const;
    const QRawFont &rawFont() const;
    void reallocate(int capacityWidth, int capacityHeight);
    // Draws text anti-aliased off the image and inks every pixel it covers at least half.
    void drawThresholded(QPointF pen, const QString &text);
    // Draws text with its baseline's start at pen, soft hyphens from the font's glyph.
    void paintText(QPainter &painter, QPointF pen, const QString &text) const;
    // Calls f(part, x) for each soft hyphen and each run of other characters, x the part's
    // pen position from the text's.
    template <typename F>
    void forEachSoftHyphenPart(const QString &text, F f) const;
    // The font's glyph for a soft hyphen; 0 when it has none.
    quint32 softHyphenGlyph() const;
    QImage visibleImage() const;

    // Never shared with another QImage: the painter draws straight into its bits.
    QImage mImage;
    QPainter mPainter;
    QFont mFont;
    QFontMetricsF mMetrics;
    SurfaceFont mRequested;
    QString mFileVersion; // of the requested font file, when it was read
    SurfaceFont mRealised;
    double mAscent = 0;
    double mLineHeight = 0;
    bool mDrawsAlike = true;
    bool mFontRealised = false; // the requested font has been applied
    bool mThresholded = false;  // slight hinting without smooth edges
    // Advances of the texts measured in the current font (the same few glyphs are asked
    // for again and again while measuring and previewing).
    mutable QHash<QString, double> mAdvances;
    // Likewise the boxes of their ink.
    mutable QHash<QString, QRectF> mBounds;
    // The font's own glyphs, without fallback families; made when first asked.
    mutable QRawFont mRawFont;
    // The strike drawn instead of mFont for a bitmap font file.
    std::unique_ptr<StrikeText> mStrike;
    int mWidth = 0;
    int mHeight = 0;
    Color mBack = 0xFFFFFF;
    Color mFore = 0;
    // The text last drawn, whose advance moves mX when the position is next asked for:
    // measuring never asks, and a layout of each text drawn would cost as much as drawing.
    mutable double mX = 0;
    mutable QString mPendingAdvance;
    double mY = 0;
};
