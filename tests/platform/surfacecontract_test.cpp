// What every Surface must do, run against the deterministic test surface and the Qt raster
// surface.
#include "failure.h"
#include "rastersurface.h"
#include "testfiles.h"
#include "testsurface.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

struct SurfaceKind
{
    const char *name;
    std::function<std::unique_ptr<Surface>()> make;
};

class SurfaceContract : public testing::TestWithParam<SurfaceKind>
{
protected:
    void SetUp() override
    {
        mSurface = GetParam().make();
        mSurface->setBackColor(0x00FF00);
        mSurface->setForeColor(0x402010);
        mSurface->setSize(60, 30);
        mSurface->clear();
    }

    std::unique_ptr<Surface> mSurface;
};

TEST_P(SurfaceContract, ClearGivesTheSizeSetInTheBackColourAtTheOrigin)
{
    for (const QSize size : {QSize(1, 1), QSize(37, 11), QSize(300, 5), QSize(0, 0), QSize(4, 90)}) {
        mSurface->setCurrentX(5);
        mSurface->setCurrentY(6);
        mSurface->drawText(QStringLiteral("Wg"));
        mSurface->setSize(size.width(), size.height());
        mSurface->clear();
        EXPECT_EQ(QSize(mSurface->width(), mSurface->height()), size);
        EXPECT_EQ(std::pair(mSurface->currentX(), mSurface->currentY()), std::pair(0.0, 0.0));
        for (quint32 pixel : pixelsOf(*mSurface))
            ASSERT_EQ(pixel, pixelFromColor(0x00FF00));
    }
}

TEST_P(SurfaceContract, DrawTextAdvancesByTheTextWidth)
{
    for (const char *text : {"A", "Hello", " ", "AV", "", "\xC3\x81\xE2\x82\xAC"}) {
        const QString s = QString::fromUtf8(text);
        mSurface->setCurrentX(3.5);
        mSurface->setCurrentY(2);
        mSurface->drawText(s);
        EXPECT_DOUBLE_EQ(mSurface->currentX(), 3.5 + mSurface->textWidth(s)) << text;
        EXPECT_EQ(mSurface->currentY(), 2.0) << text;
    }
}

// Moved by whole pixels, text draws the same pixels moved, inside the box the surface gives.
TEST_P(SurfaceContract, TextCellStartsAtTheDrawingPosition)
{
    mSurface->drawText(QStringLiteral("X"));
    const QRect atOrigin = inkRect(*mSurface);
    ASSERT_FALSE(atOrigin.isEmpty());
    EXPECT_TRUE(mSurface->textBounds(QStringLiteral("X")).contains(QRectF(atOrigin)));
    EXPECT_LT(atOrigin.bottom(), mSurface->textHeight(QStringLiteral("X")));

    mSurface->clear();
    mSurface->setCurrentX(7);
    mSurface->setCurrentY(4);
    mSurface->drawText(QStringLiteral("X"));
    EXPECT_EQ(inkRect(*mSurface), atOrigin.translated(7, 4));
}

TEST_P(SurfaceContract, InkIsPaintedInTheDrawingColourCutAtTheEdges)
{
    InkImage ink(4, 3);
    ink.addRun(0, 0, 4);
    ink.addRun(2, 1, 1);
    ink.addRun(2, 3, 1);
    mSurface->setSize(5, 4);
    mSurface->clear();
    mSurface->paintInk(2, -1, ink); // the first row above the surface, the last column past it
    const quint32 g = pixelFromColor(0x00FF00), k = pixelFromColor(0x402010);
    EXPECT_EQ(pixelsOf(*mSurface), (std::vector<quint32>{g, g, g, g, g, g, g, g, k, g, g, g, g, g, g, g, g, g, g, g}));
}

TEST_P(SurfaceContract, SavedPictureLoadsBackPixelForPixel)
{
    mSurface->drawText(QStringLiteral("Ag"));
    mSurface->setForeColor(0x0000FF);
    mSurface->drawText(QStringLiteral("Wy"));
    QTemporaryDir dir;
    // A name ending in "@2x" must not change the picture's size.
    const QString path = dir.filePath(QStringLiteral("glyphs@2x.bmp"));
    writeFile(path, mSurface->pictureBytes());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    // "BM", 60 x 30, 24 bits, uncompressed: rows of 180 bytes.
    // clang-format off
    EXPECT_EQ(bmp.left(2) + bmp.mid(18, 8) + bmp.mid(28, 6),
              QByteArray("BM") + QByteArray::fromHex("3c0000001e000000" "180000000000"));
    // clang-format on
    EXPECT_EQ(bmp.size(), 54 + 30 * 180);

    // A larger surface keeps its size and its pixels beyond the picture.
    const auto copy = GetParam().make();
    copy->setBackColor(0xFFFFFF);
    copy->setSize(70, 35);
    copy->clear();
    copy->loadPicture(path);
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 70; ++x) {
            const quint32 expected = x < 60 && y < 30 ? mSurface->scanLine(y)[x] : 0xffffffffu;
            ASSERT_EQ(copy->scanLine(y)[x], expected) << x << "," << y;
        }
    }
}

TEST_P(SurfaceContract, AMissingPictureIsNamed)
{
    QTemporaryDir dir;
    const QString missingFile = dir.filePath(QStringLiteral("none.bmp"));
    try {
        mSurface->loadPicture(missingFile);
        ADD_FAILURE() << "a missing picture loaded";
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.description.contains(QDir::toNativeSeparators(missingFile)))
            << failure.message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Surfaces, SurfaceContract,
    testing::Values(SurfaceKind{"Test", [] { return std::unique_ptr<Surface>(new TestSurface); }},
                    SurfaceKind{"Raster",
                                [] {
                                    auto surface = std::make_unique<RasterSurface>();
                                    surface->setFont(SurfaceFont{QStringLiteral("Liberation Sans"), 12.0f});
                                    return std::unique_ptr<Surface>(std::move(surface));
                                }}),
    [](const testing::TestParamInfo<SurfaceKind> &kind) { return kind.param.name; });

} // namespace
