#pragma once

#include "failure.h"
#include "surface.h"

#include <QList>

#include <algorithm>

// An in-memory Surface whose pixels are set directly, for code that only reads pixels
// (the encoders). It renders no text: drawText draws nothing and text has no size.
class PixelSurface : public Surface
{
public:
    PixelSurface() = default;
    PixelSurface(int width, int height, Color fill = 0)
    {
        setBackColor(fill);
        setSize(width, height);
        clear();
    }

    void setPixel(int x, int y, Color color) { mPixels[qsizetype(y) * mWidth + x] = pixelFromColor(color); }
    // Row y from a list of colours, left to right.
    void setRow(int y, const QList<Color> &colors)
    {
        for (int x = 0; x < int(colors.size()) && x < mWidth; ++x)
            setPixel(x, y, colors.at(x));
    }

    void setFont(const SurfaceFont &font) override { mFont = font; }
    SurfaceFont font() const override { return mFont; }
    void setBackColor(Color color) override { mBack = color; }
    Color backColor() const override { return mBack; }
    void setForeColor(Color color) override { mFore = color; }
    Color foreColor() const override { return mFore; }
    void setSize(int width, int height) override
    {
        mWidth = std::max(width, 0);
        mHeight = std::max(height, 0);
        mPixels.resize(qsizetype(mWidth) * mHeight);
    }
    int width() const override { return mWidth; }
    int height() const override { return mHeight; }
    void clear() override
    {
        std::fill(mPixels.begin(), mPixels.end(), pixelFromColor(mBack));
        mX = mY = 0;
    }
    void setCurrentX(double x) override { mX = x; }
    void setCurrentY(double y) override { mY = y; }
    double currentX() const override { return mX; }
    double currentY() const override { return mY; }
    void drawText(const QString &) override {}
    double textWidth(const QString &) const override { return 0; }
    double textHeight(const QString &) const override { return 0; }
    const quint32 *scanLine(int y) const override { return mPixels.constData() + qsizetype(y) * mWidth; }
    void loadPicture(const QString &path) override { throw Failure::runtime(Failure::InvalidCall, path); }
    void savePicture(const QString &path) const override { throw Failure::runtime(Failure::InvalidCall, path); }

private:
    SurfaceFont mFont;
    Color mBack = 0;
    Color mFore = 0;
    int mWidth = 0;
    int mHeight = 0;
    double mX = 0;
    double mY = 0;
    QList<quint32> mPixels;
};
