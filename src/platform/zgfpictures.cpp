#include "zgfpictures.h"

#include "failure.h"
#include "zgffont.h"
#include "zgftextlayout.h"

#include <cstring>

QImage ZgfPictures::glyphImage(const ZgfFont &font)
{
    QImage image(font.imageWidth(), font.imageHeight(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = pixelFromColor(font.color(x, y));
    }
    return image;
}

QImage ZgfPictures::maskImage(const ZgfFont &font)
{
    if (!font.hasMask())
        return QImage();
    QImage image(font.maskWidth(), font.maskHeight(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = font.maskAlpha(x, y);
            row[x] = qRgb(alpha, alpha, alpha);
        }
    }
    return image;
}

QImage ZgfPictures::textImage(const ZgfFont &font, const QString &text, std::optional<Color> background,
                              bool masked)
{
    const ZgfTextLayout layout(font, text);
    const ZgfTextImage drawn = masked ? layout.renderMasked() : layout.render(true);
    QImage image(drawn.width, drawn.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 pixel = drawn.pixel(x, y);
            const quint32 under = background ? pixelFromColor(*background)
                : ((x / CheckerSquare + y / CheckerSquare) % 2) ? CheckerDark : CheckerLight;
            // A mask's level drawn as its opacity over what lies behind.
            row[x] = blendedPixel(under, pixel, (qAlpha(pixel) * InkImage::MaxLevel + 127) / 255);
        }
    }
    return image;
}

QImage ZgfPictures::transparentImage(const ZgfTextImage &drawn)
{
    QImage image(drawn.width, drawn.height, QImage::Format_ARGB32);
    const qsizetype rowBytes = qsizetype(drawn.width) * sizeof(quint32);
    for (int y = 0; y < drawn.height; ++y)
        std::memcpy(image.scanLine(y), drawn.pixels.constData() + qsizetype(y) * drawn.width, size_t(rowBytes));
    return image;
}

QImage ZgfPictures::zoomed(const QImage &image, int factor)
{
    if (factor < 1 || factor > MaxZoom)
        throw Failure::runtime(Failure::InvalidCall);
    if (factor == 1 || image.isNull())
        return image;
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}
