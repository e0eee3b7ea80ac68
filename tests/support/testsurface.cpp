#include "testsurface.h"

#include "characters.h"
#include "failure.h"

#include <QBuffer>

#include <cmath>

TestSurface::TestSurface(int lineHeight, int spaceWidth)
    : mImage(0, 0, QImage::Format_RGB32), mLineHeight(lineHeight), mSpaceWidth(spaceWidth)
{
}

TestSurface::Glyph TestSurface::glyph(const QString &c) const
{
    if (const auto it = mGlyphs.constFind(c); it != mGlyphs.constEnd())
        return *it;
    if (c == QLatin1String(" "))
        return Glyph{mSpaceWidth, 0, 0, 0, 0};
    return Glyph{6, 1, 3, 4, 8};
}

void TestSurface::setPixel(int x, int y, Color color)
{
    mImage.setPixel(x, y, pixelFromColor(color));
}

void TestSurface::setSize(int width, int height)
{
    if (width != mImage.width() || height != mImage.height())
        mImage = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
}

void TestSurface::clear()
{
    mImage.fill(pixelFromColor(mBack));
    mX = mY = 0;
}

void TestSurface::drawText(const QString &text)
{
    ++mDrawCount;
    for (const QString &c : charactersOf(text)) {
        const Glyph g = glyph(c);
        const int x0 = int(std::floor(mX)) + g.inkLeft;
        const int y0 = int(std::floor(mY)) + g.inkTop;
        fill(x0, y0, g.inkWidth, g.inkHeight);
        if (mFont.underline && mUnderlineRow)
            fill(int(std::floor(mX)), int(std::floor(mY)) + *mUnderlineRow, g.advance, 1);
        mX += g.advance;
    }
}

void TestSurface::fill(int x0, int y0, int width, int height)
{
    for (int y = std::max(y0, 0); y < std::min(y0 + height, this->height()); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x0 + width, this->width()); ++x)
            mImage.setPixel(x, y, pixelFromColor(mFore));
    }
}

double TestSurface::textWidth(const QString &text) const
{
    double width = 0;
    for (const QString &c : charactersOf(text))
        width += glyph(c).advance;
    return width;
}

QRectF TestSurface::textBounds(const QString &text) const
{
    QRectF bounds;
    double x = 0;
    if (!mBoundsKnown)
        return bounds;
    for (const QString &c : charactersOf(text)) {
        const Glyph g = glyph(c);
        bounds |= QRectF(x + g.inkLeft, g.inkTop, g.inkWidth, g.inkHeight);
        if (mFont.underline && mUnderlineRow)
            bounds |= QRectF(x, *mUnderlineRow, g.advance, 1);
        x += g.advance;
    }
    return bounds;
}

const quint32 *TestSurface::scanLine(int y) const
{
    return reinterpret_cast<const quint32 *>(mImage.constScanLine(y));
}

void TestSurface::loadPicture(const QString &path)
{
    QImage picture;
    if (!picture.load(path))
        throw Failure::runtime(Failure::FileNotFound, path);
    for (int y = 0; y < std::min(height(), picture.height()); ++y) {
        for (int x = 0; x < std::min(width(), picture.width()); ++x)
            mImage.setPixel(x, y, picture.pixel(x, y) | 0xff000000u);
    }
}

QByteArray TestSurface::pictureBytes() const
{
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    mImage.convertToFormat(QImage::Format_RGB888).save(&bytes, "BMP");
    return bytes.data();
}
