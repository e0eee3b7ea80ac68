#include "failure.h"
#include "rastersurface.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

const QString Arial = QStringLiteral("Arial");

// The printable characters of Windows-1252 that Latin-1 shares.
QString printable()
{
    QString text;
    for (ushort c = 0x20; c <= 0xFF; ++c) {
        if (c < 0x7F || c >= 0xA0)
            text.append(QChar(c));
    }
    return text;
}

bool hasInk(const Surface &s)
{
    const quint32 back = pixelFromColor(s.backColor());
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.scanLine(y)[x] != back)
                return true;
        }
    }
    return false;
}

int inkRows(const Surface &s)
{
    const quint32 back = pixelFromColor(s.backColor());
    int first = -1;
    int last = -1;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.scanLine(y)[x] != back) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// Sizes the surface for one glyph with a space-wide margin, clears it and draws " " + c,
// as the document does while measuring.
void drawGlyph(RasterSurface &s, QChar c)
{
    const int space = int(s.textWidth(QStringLiteral(" ")));
    const int height = int(std::lround(s.textHeight(QStringLiteral("X"))));
    s.setSize(int(s.textWidth(QString(c))) + 2 * space, height);
    s.clear();
    s.drawText(QLatin1Char(' ') + c);
}

std::vector<quint32> pixels(const Surface &s)
{
    std::vector<quint32> all;
    for (int y = 0; y < s.height(); ++y)
        all.insert(all.end(), s.scanLine(y), s.scanLine(y) + s.width());
    return all;
}

struct RealisedSize
{
    float requested;
    float realised;
    int em;
};

class RasterRealisedSize : public testing::TestWithParam<RealisedSize>
{
};

TEST_P(RasterRealisedSize, IsAWholePixelEm)
{
    RasterSurface s;
    s.setFont(SurfaceFont{Arial, GetParam().requested});
    EXPECT_FLOAT_EQ(s.font().size, GetParam().realised);
    // The family's line height is 1.117 em and its capitals stand 0.688 em tall: the em
    // really is that many whole pixels.
    EXPECT_NEAR(s.textHeight(QStringLiteral("H")), 1.1172 * GetParam().em, 0.05);
    s.setSize(3 * GetParam().em, 2 * GetParam().em);
    s.clear();
    s.drawText(QStringLiteral("H"));
    EXPECT_NEAR(inkRows(s), 0.688 * GetParam().em, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RasterRealisedSize,
                         testing::Values(RealisedSize{10.0f, 9.75f, 13},
                                         RealisedSize{9.75f, 9.75f, 13},
                                         RealisedSize{8.0f, 8.25f, 11},
                                         RealisedSize{12.0f, 12.0f, 16},
                                         RealisedSize{72.0f, 72.0f, 96},
                                         RealisedSize{1.0f, 0.75f, 1}));

TEST(RasterSurface, ReadsBackTheRealisedFamilyAndStyle)
{
    RasterSurface s;
    s.setFont(SurfaceFont{Arial, 12.0f, true, true, true, true});
    const SurfaceFont realised = s.font();
    EXPECT_EQ(realised.name, QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(realised.bold);
    EXPECT_TRUE(realised.italic);
    EXPECT_TRUE(realised.strikethrough);
    EXPECT_TRUE(realised.underline);

    s.setFont(SurfaceFont{QStringLiteral("DejaVu Serif"), 12.0f});
    EXPECT_EQ(s.font().name, QStringLiteral("DejaVu Serif"));
    EXPECT_FALSE(s.font().bold || s.font().italic || s.font().strikethrough || s.font().underline);
}

TEST(RasterSurface, RefusedSizesKeepTheOldFont)
{
    RasterSurface s;
    s.setFont(SurfaceFont{Arial, 9.75f});
    for (float size : {0.0f, -1.0f, 0.3f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), RasterSurface::MaxPointSize + 1}) {
        try {
            s.setFont(SurfaceFont{Arial, size});
            ADD_FAILURE() << "size " << size << " accepted";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.number, Failure::InvalidCall);
        }
        EXPECT_FLOAT_EQ(s.font().size, 9.75f);
    }
}

// The background must stay a clean colour key: no blended edge pixels, and glyphs that
// line up on whole pixels.
TEST(RasterSurface, GlyphsAreAliasedWithWholePixelAdvances)
{
    RasterSurface s;
    s.setBackColor(0x00FF00);
    s.setForeColor(0x8040C0);
    for (float size : {8.25f, 9.75f, 72.0f}) {
        s.setFont(SurfaceFont{Arial, size, false, true});
        for (const QChar c : printable()) {
            const double advance = s.textWidth(QString(c));
            EXPECT_EQ(advance, std::round(advance)) << size << " " << int(c.unicode());
            drawGlyph(s, c);
            for (quint32 pixel : pixels(s)) {
                if (pixel != pixelFromColor(0x00FF00)) {
                    ASSERT_EQ(pixel, pixelFromColor(0x8040C0)) << size << " " << int(c.unicode());
                }
            }
        }
    }
}

TEST(RasterSurface, SpaceHasInkOnlyWithALine)
{
    RasterSurface s;
    s.setBackColor(0xFFFFFF);
    s.setForeColor(0);
    const std::pair<bool, bool> lines[] = {{false, false}, {true, false}, {false, true}};
    for (const auto &[underline, strikethrough] : lines) {
        s.setFont(SurfaceFont{Arial, 9.75f, false, false, strikethrough, underline});
        drawGlyph(s, QLatin1Char(' '));
        EXPECT_EQ(hasInk(s), underline || strikethrough) << underline << strikethrough;
    }
}

// The surface keeps one buffer across sizes; what it shows must be what a new surface draws.
TEST(RasterSurface, ReusedBufferDrawsLikeAFreshSurface)
{
    const SurfaceFont fonts[] = {{Arial, 9.75f}, {Arial, 72.0f, true, true, false, true}};
    RasterSurface reused;
    reused.setBackColor(0x00FF00);
    for (const SurfaceFont &font : fonts) {
        reused.setFont(font);
        for (const QChar c : QStringLiteral("W.j\u00C6 _g\u00FF|")) {
            // Shrinks the buffer from far too large, then lets it grow again.
            reused.setSize(c == QLatin1Char('.') ? 3000 : 1, 3000);
            drawGlyph(reused, c);
            RasterSurface fresh;
            fresh.setBackColor(0x00FF00);
            fresh.setFont(font);
            drawGlyph(fresh, c);
            ASSERT_EQ(reused.width(), fresh.width());
            ASSERT_EQ(reused.height(), fresh.height());
            EXPECT_EQ(pixels(reused), pixels(fresh)) << font.size << " " << int(c.unicode());
            EXPECT_EQ(reused.image(), fresh.image());
        }
    }
}

TEST(RasterSurface, RefusesBadSizes)
{
    RasterSurface s;
    s.setSize(10, 10);
    for (const QSize size : {QSize(-1, 5), QSize(5, -1), QSize(RasterSurface::MaxSide + 1, 1)}) {
        EXPECT_THROW(s.setSize(size.width(), size.height()), Failure);
        EXPECT_EQ(QSize(s.width(), s.height()), QSize(10, 10));
    }
}

TEST(RasterSurface, FileThatIsNoPictureFailsNamingIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    RasterSurface s;
    s.setSize(4, 4);
    s.clear();
    try {
        s.loadPicture(path);
        ADD_FAILURE() << "a text file loaded as a picture";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.message(), QStringLiteral("481: Invalid picture: ") + path);
    }
    EXPECT_FALSE(hasInk(s));
    EXPECT_THROW(RasterSurface().savePicture(dir.filePath(QStringLiteral("empty.bmp"))), Failure);
}

} // namespace
