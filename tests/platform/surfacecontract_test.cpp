// What every Surface must do, run against the deterministic test surface and the Qt raster
// surface.
#include "failure.h"
#include "rastersurface.h"
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

std::unique_ptr<Surface> makeRaster()
{
    auto surface = std::make_unique<RasterSurface>();
    surface->setFont(SurfaceFont{QStringLiteral("Liberation Sans"), 12.0f});
    return surface;
}

std::unique_ptr<Surface> makeTest()
{
    return std::make_unique<TestSurface>();
}

std::vector<quint32> pixels(const Surface &s)
{
    std::vector<quint32> all;
    for (int y = 0; y < s.height(); ++y)
        all.insert(all.end(), s.scanLine(y), s.scanLine(y) + s.width());
    return all;
}

// Ink bounds (pixels that differ from the background), or top -1 when there is none.
QRect inkRect(const Surface &s)
{
    QRect box;
    const quint32 back = pixelFromColor(s.backColor());
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.scanLine(y)[x] != back)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

quint32 readLe(const QByteArray &bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes[offset + i]);
    return value;
}

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

TEST_P(SurfaceContract, SizeIsExactlyWhatWasSet)
{
    const QSize sizes[] = {{1, 1}, {37, 11}, {300, 5}, {0, 0}, {4, 90}};
    for (const QSize size : sizes) {
        mSurface->setSize(size.width(), size.height());
        mSurface->clear();
        EXPECT_EQ(QSize(mSurface->width(), mSurface->height()), size);
        for (quint32 pixel : pixels(*mSurface))
            ASSERT_EQ(pixel, pixelFromColor(0x00FF00));
    }
}

TEST_P(SurfaceContract, ClearFillsWithBackColourAndResetsPosition)
{
    mSurface->setCurrentX(5);
    mSurface->setCurrentY(6);
    mSurface->drawText(QStringLiteral("Wg"));
    mSurface->setBackColor(0x123456);
    mSurface->clear();
    EXPECT_EQ(mSurface->currentX(), 0.0);
    EXPECT_EQ(mSurface->currentY(), 0.0);
    for (quint32 pixel : pixels(*mSurface))
        ASSERT_EQ(colorFromPixel(pixel), 0x123456);
}

TEST_P(SurfaceContract, TextInTheBackColourLeavesEveryPixelUnchanged)
{
    mSurface->setForeColor(mSurface->backColor());
    mSurface->drawText(QStringLiteral("Hg_|"));
    EXPECT_EQ(inkRect(*mSurface), QRect());
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

TEST_P(SurfaceContract, TextCellStartsAtTheDrawingPosition)
{
    mSurface->drawText(QStringLiteral("X"));
    const QRect atOrigin = inkRect(*mSurface);
    ASSERT_FALSE(atOrigin.isEmpty());
    EXPECT_GE(atOrigin.left(), 0);
    EXPECT_LT(atOrigin.bottom(), mSurface->textHeight(QStringLiteral("X")));

    mSurface->clear();
    mSurface->setCurrentX(7);
    mSurface->setCurrentY(4);
    mSurface->drawText(QStringLiteral("X"));
    EXPECT_EQ(inkRect(*mSurface), atOrigin.translated(7, 4));
}

TEST_P(SurfaceContract, SavedPictureLoadsBackPixelForPixel)
{
    mSurface->drawText(QStringLiteral("Ag"));
    mSurface->setForeColor(0x0000FF);
    mSurface->drawText(QStringLiteral("Wy"));
    QTemporaryDir dir;
    // A name ending in "@2x" must not change the picture's size.
    const QString path = dir.filePath(QStringLiteral("glyphs@2x.bmp"));
    mSurface->savePicture(path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    ASSERT_GE(bmp.size(), 54);
    EXPECT_EQ(bmp.left(2), QByteArrayLiteral("BM"));
    EXPECT_EQ(readLe(bmp, 18, 4), 60u);  // width
    EXPECT_EQ(readLe(bmp, 22, 4), 30u);  // height
    EXPECT_EQ(readLe(bmp, 28, 2), 24u);  // bits per pixel
    EXPECT_EQ(readLe(bmp, 30, 4), 0u);   // no compression
    EXPECT_EQ(bmp.size(), 54 + 30 * 180);

    const auto copy = GetParam().make();
    copy->setBackColor(0xFFFFFF);
    copy->setSize(60, 30);
    copy->clear();
    copy->loadPicture(path);
    EXPECT_EQ(pixels(*copy), pixels(*mSurface));

    // A larger surface keeps its size and its pixels beyond the picture.
    copy->setSize(70, 35);
    copy->clear();
    copy->loadPicture(path);
    EXPECT_EQ(QSize(copy->width(), copy->height()), QSize(70, 35));
    for (int y = 0; y < 35; ++y) {
        for (int x = 0; x < 70; ++x) {
            const quint32 expected = x < 60 && y < 30 ? mSurface->scanLine(y)[x] : 0xffffffffu;
            ASSERT_EQ(copy->scanLine(y)[x], expected) << x << "," << y;
        }
    }
}

TEST_P(SurfaceContract, FailedPictureFilesAreNamed)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("missing/glyphs.bmp"));
    try {
        mSurface->savePicture(missingFolder);
        ADD_FAILURE() << "saving into a missing folder succeeded";
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.description.contains(QDir::toNativeSeparators(missingFolder)))
            << failure.message().toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    const QString missingFile = dir.filePath(QStringLiteral("none.bmp"));
    try {
        mSurface->loadPicture(missingFile);
        ADD_FAILURE() << "loading a missing file succeeded";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.number, Failure::FileNotFound);
        EXPECT_TRUE(failure.description.contains(QDir::toNativeSeparators(missingFile)));
    }
}

INSTANTIATE_TEST_SUITE_P(Surfaces, SurfaceContract,
                         testing::Values(SurfaceKind{"Test", makeTest},
                                         SurfaceKind{"Raster", makeRaster}),
                         [](const testing::TestParamInfo<SurfaceKind> &kind) {
                             return kind.param.name;
                         });

} // namespace
