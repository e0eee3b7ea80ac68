#include "zgfpictures.h"

#include "failure.h"
#include "zgffont.h"
#include "zgfpixel.h"
#include "zgftextlayout.h"

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

QImage ZgfPictures::textImage(const ZgfFont &font, const QString &text, std::optional<Color> background)
{
    if (background) {
        const QRgb plain = pixelFromColor(*background);
        return textImage(font, text, [plain](int, int) { return plain; });
    }
    return textImage(font, text, [](int x, int y) {
        return ((x / CheckerSquare + y / CheckerSquare) % 2) ? CheckerDark : CheckerLight;
    });
}

QImage ZgfPictures::textImage(const ZgfFont &font, const QString &text, const QImage &backdrop)
{
    return textImage(font, text, [&backdrop](int x, int y) {
        return backdrop.valid(x, y) ? backdrop.pixel(x, y) : QRgb(0xFFFFFFFF);
    });
}

QImage ZgfPictures::textImage(const ZgfFont &font, const QString &text, const std::function<QRgb(int, int)> &screen)
{
    const ZgfTextLayout layout(font, text);
    const int width = layout.width();
    // The screen's pixels get low bit 0 and every pixel the library writes has low bit 1, so a
    // pixel left alone keeps its exact colour: a text without a mask shows as it always did.
    QList<quint16> pixels(qsizetype(width) * layout.height());
    for (int y = 0; y < layout.height(); ++y) {
        for (int x = 0; x < width; ++x)
            pixels[qsizetype(y) * width + x] = scanPixelToPixel16(screen(x, y));
    }
    layout.draw(pixels);
    QImage image(width, layout.height(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint16 pixel = pixels[qsizetype(y) * width + x];
            row[x] = (pixel & 1u) ? pixelFromColor(pixel16ToColor(pixel)) : (screen(x, y) | 0xFF000000u);
        }
    }
    return image;
}

QImage ZgfPictures::zoomed(const QImage &image, int factor)
{
    if (factor < 1 || factor > MaxZoom)
        throw Failure::runtime(Failure::InvalidCall);
    if (factor == 1 || image.isNull())
        return image;
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}
