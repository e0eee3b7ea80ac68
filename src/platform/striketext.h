#pragma once

#include <QByteArray>
#include <QList>
#include <QRawFont>
#include <QRectF>
#include <QString>

class QImage;
class QPainter;

// Text in one strike of a bitmap font, drawn from the font's own bitmaps pixel for pixel.
// A style the face lacks is synthesised as bitmap fonts have always had it: bold by
// striking each glyph again a pixel to the right (one pixel wider), italic by moving each
// row right by a pixel for every four rows above the baseline.
class StrikeText
{
public:
    // The strike of pixels pixels of the one face in data (see nearestStrike).
    StrikeText(const QByteArray &data, int pixels, bool emboldened, bool slanted);

    bool isValid() const { return mFont.isValid(); }
    int pixelSize() const { return mPixels; }
    double ascent() const { return mAscent; }
    double descent() const { return mDescent; }

    double advance(const QString &text) const;
    // The box of the pixels the text draws, relative to its pen on the baseline.
    QRectF inkBounds(const QString &text) const;
    bool hasGlyph(char32_t c) const { return mFont.supportsCharacter(uint(c)); }

    // Draws text into image with its pen on the baseline at pen, only inside visible, and
    // underline and strikeout lines along its advance through painter (which draws on
    // image in the drawing colour).
    void draw(QImage &image, const QRect &visible, QPoint pen, const QString &text, QPainter &painter, bool underline,
              bool strikeout) const;

private:
    // Positions of the glyphs from the pen, and the advance after the last.
    QList<QPointF> positions(const QList<quint32> &glyphs, double *advance) const;
    // How far the row that many rows above the baseline moves right when slanted.
    int slant(int rowsAbove) const;

    QRawFont mFont;
    int mPixels = 0;
    double mAscent = 0;
    double mDescent = 0;
    bool mBold = false;
    bool mItalic = false;
};
