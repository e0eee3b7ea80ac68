// Exports on the real renderer, read back with the ZGF reader, in RAW and in RLE.
#include "../document/documenttesting.h"
#include "postprocessbitmaps.h"
#include "rastersurface.h"
#include "recordingfeedback.h"
#include "zgfexport.h"
#include "zgffont.h"
#include "zgfpixel.h"

#include <QImage>
#include <QTemporaryDir>

class RasterExport : public ::testing::TestWithParam<bool>
{
protected:
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    RasterSurface measure;
    RasterSurface work;
    TexelFont font;
    KeptMeasurement measurement{font, measure};
    RecordingFeedback feedback;
    QTemporaryDir dir;
};

TEST_P(RasterExport, DefaultDocumentReadsBackAsDrawn)
{
    ZgfExportOptions options{path("font.zgf"), GetParam()};
    ASSERT_TRUE(ExportZgfFont(font, work, options, feedback));
    // Header, characters and length are the CLI suite's export of the defaults.
    const ZgfFont zgf = ZgfFont::readFile(options.zgfFileName);
    EXPECT_EQ(zgf.header().GlyphOffset, 76 + 4 * 130);
    EXPECT_EQ(zgf.imageWidth(), measurement.measured().ZgfGetBitmapWidth());
    EXPECT_EQ(zgf.pixel16(zgf.cellX(1) + zgf.leftIndent(1) + 1, 3), ColorToPixel16(font.Color, 1))
        << "the stroke of \"1\"";
}

TEST_P(RasterExport, EditedBitmapsOfAMaskedFontRoundTrip)
{
    font.setChars(QStringLiteral("AbgQ"));
    font.Postprocessed = font.Masked = true;
    font.CharWidthInc = font.CharHeightInc = font.MaskWidthInc = font.MaskHeightInc = 2;
    PostprocessOptions bitmaps{path("glyphs.bmp"), path("glyphs_mask.bmp"), 2};
    ASSERT_TRUE(ExportPostprocessBitmaps(font, work, bitmaps, feedback));

    QImage glyphs(bitmaps.bitmapFileName);
    glyphs.setPixel(0, 0, qRgb(255, 0, 0));
    glyphs.setPixel(3, 2, qRgb(0, 0, 248));
    ASSERT_TRUE(glyphs.save(bitmaps.bitmapFileName, "BMP"));
    QImage mask(bitmaps.maskFileName);
    mask.setPixel(1, 1, qRgb(0, 0, 0)); // black is opaque in an inverted mask
    ASSERT_TRUE(mask.save(bitmaps.maskFileName, "BMP"));

    ZgfExportOptions options{path("edited.zgf"), GetParam(), bitmaps.bitmapFileName, bitmaps.maskFileName};
    ASSERT_TRUE(ExportZgfFont(font, work, options, feedback))
        << feedback.failures().join(QLatin1Char(' ')).toStdString();
    const ZgfFont zgf = ZgfFont::readFile(options.zgfFileName);
    EXPECT_EQ(zgf.pixel16(0, 0), 0xF801);
    EXPECT_EQ(zgf.pixel16(3, 2), 0x003F);
    ASSERT_TRUE(zgf.hasMask());
    EXPECT_EQ(zgf.maskWidth(), glyphs.width() + 4 * 2);
    EXPECT_EQ(zgf.maskHeight(), glyphs.height() + 2);
    EXPECT_EQ(zgf.maskLevel(1, 1), 31);
    EXPECT_EQ(zgf.maskLevel(0, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(RawAndRle, RasterExport, ::testing::Bool());
