#include "exportfixture.h"
#include "postprocessbitmaps.h"
#include "zgfexport.h"

#include <QFileInfo>
#include <QImage>

namespace {

// Records the order in which pictures are saved.
class SavingSurface : public TestSurface
{
public:
    using TestSurface::TestSurface;
    mutable QStringList saved;
    void savePicture(const QString &path) const override
    {
        saved.append(QFileInfo(path).fileName());
        TestSurface::savePicture(path);
    }
};

} // namespace

class PostprocessBitmaps : public ExportFixture
{
protected:
    SavingSurface saving{6, 2};
};

TEST_F(PostprocessBitmaps, PartialImagesFirstThenTheFullOne)
{
    font.Postprocessed = true;
    font.Masked = true;
    PostprocessOptions options{path("font.bmp"), path("font_mask.bmp"), 3};
    ASSERT_TRUE(ExportPostprocessBitmaps(font, saving, options, feedback));
    EXPECT_EQ(saving.saved, (QStringList{QStringLiteral("font1.bmp"), QStringLiteral("font2.bmp"),
                                         QStringLiteral("font3.bmp"), QStringLiteral("font.bmp"),
                                         QStringLiteral("font_mask1.bmp"), QStringLiteral("font_mask2.bmp"),
                                         QStringLiteral("font_mask3.bmp"), QStringLiteral("font_mask.bmp")}));
    EXPECT_EQ(feedback.informations(),
              QStringList{QStringLiteral("Bitmap(s) generated correctly.\r\n"
                                         "Now it's time to use your favorite image processor to enhance the font.")});
    EXPECT_EQ(partialBitmapName(QStringLiteral("C:\\f\\font.bmp"), 3), QStringLiteral("C:\\f\\font3.bmp"));
}

TEST_F(PostprocessBitmaps, OneImageAndNoMaskQuestionForAnUnmaskedFont)
{
    writeFile(path("font_mask.bmp"), "old");
    PostprocessOptions options{path("font.bmp"), path("font_mask.bmp"), 1};
    ASSERT_TRUE(ExportPostprocessBitmaps(font, saving, options, feedback));
    EXPECT_EQ(saving.saved, QStringList{QStringLiteral("font.bmp")});
    EXPECT_TRUE(feedback.questions().isEmpty());
}

TEST_F(PostprocessBitmaps, DecliningTheMaskKeepsTheGlyphBitmaps)
{
    font.Masked = true;
    writeFile(path("font_mask.bmp"), "old");
    feedback.answers = {false};
    PostprocessOptions options{path("font.bmp"), path("font_mask.bmp"), 1};
    EXPECT_FALSE(ExportPostprocessBitmaps(font, saving, options, feedback));
    EXPECT_TRUE(QFile::exists(path("font.bmp")));
    EXPECT_EQ(readAll(path("font_mask.bmp")), QByteArray("old"));
    EXPECT_EQ(feedback.questions(),
              QStringList{QStringLiteral("Overwrite alpha mask bitmap file ") + path("font_mask.bmp") + QStringLiteral("?")});
    EXPECT_TRUE(feedback.informations().isEmpty());
}

TEST_F(PostprocessBitmaps, EditedPixelsReachTheFont)
{
    font.Postprocessed = true;
    PostprocessOptions options{path("font.bmp"), QString(), 1};
    ASSERT_TRUE(ExportPostprocessBitmaps(font, work, options, feedback));
    QImage edited(path("font.bmp"));
    edited.setPixel(6, 4, qRgb(255, 0, 0));
    ASSERT_TRUE(edited.save(path("font.bmp"), "BMP"));

    ZgfExportOptions zgf{path("font.zgf"), false, path("font.bmp")};
    ASSERT_TRUE(ExportZgfFont(font, work, zgf, feedback));
    const QByteArray bytes = readAll(path("font.zgf"));
    EXPECT_EQ(bytes.mid(84 + (4 * 7 + 6) * 2, 2), QByteArray::fromHex("01f8")) << "red 0xF801 at (6, 4)";
}
