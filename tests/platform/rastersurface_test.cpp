#include "failure.h"
#include "rastersurface.h"
#include "testsurface.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <utility>

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

// Sizes the surface for one glyph with a space-wide margin, clears it and draws " " + c,
// as the document does while measuring; returns the pen position of c.
int drawGlyph(RasterSurface &s, QChar c)
{
    const int space = int(s.textWidth(QStringLiteral(" ")));
    s.setSize(int(s.textWidth(QString(c))) + 2 * space, int(std::lround(s.textHeight(QStringLiteral("X")))));
    s.clear();
    s.drawText(QLatin1Char(' ') + c);
    return space;
}

TEST(RasterSurface, RealisesWholePixelEmsAndTheStyle)
{
    // Requested, realised, em: the family's capitals stand 0.688 em tall.
    const std::tuple<float, float, int> sizes[] = {
        {10.0f, 9.75f, 13}, {8.0f, 8.25f, 11}, {12.0f, 12.0f, 16}, {72.0f, 72.0f, 96}, {1.0f, 0.75f, 1}};
    RasterSurface s;
    for (const auto &[requested, realised, em] : sizes) {
        s.setFont(SurfaceFont{Arial, requested});
        EXPECT_FLOAT_EQ(s.font().size, realised);
        s.setSize(3 * em, 2 * em);
        s.clear();
        s.drawText(QStringLiteral("H"));
        EXPECT_NEAR(inkRect(s).height(), 0.688 * em, 1.0) << requested;
    }
    s.setFont(SurfaceFont{Arial, 12.0f, true, true, true, true});
    const SurfaceFont styled = s.font();
    EXPECT_EQ(styled.name, QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(styled.bold && styled.italic && styled.strikethrough && styled.underline);
}

// The default family is loaded when first used: whatever asks first gets the answer of a
// surface given that font.
TEST(RasterSurface, TheDefaultFontHoldsWhateverUsesItFirst)
{
    const auto rect = [](const QRectF &r) {
        return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    const std::pair<const char *, std::function<QString(RasterSurface &)>> firstUses[] = {
        {"font", [](RasterSurface &s) { return s.font().name + QString::number(s.font().size); }},
        {"textWidth", [](RasterSurface &s) { return QString::number(s.textWidth(QStringLiteral("Wg"))); }},
        {"textHeight", [](RasterSurface &s) { return QString::number(s.textHeight(QStringLiteral("X"))); }},
        {"textBounds", [&](RasterSurface &s) { return rect(s.textBounds(QStringLiteral("g"))); }},
        {"hasGlyph", [](RasterSurface &s) { return QString::number(s.hasGlyph(QStringLiteral("\u0416"))); }},
        {"drawsAlikeEverywhere", [](RasterSurface &s) { return QString::number(s.drawsAlikeEverywhere()); }},
        {"drawText",
         [&](RasterSurface &s) {
             s.drawText(QStringLiteral("Hg"));
             return rect(inkRect(s)) + QStringLiteral(" at ") + QString::number(s.currentX());
         }},
    };
    for (const auto &[what, use] : firstUses) {
        RasterSurface given, fresh;
        given.setFont(SurfaceFont{QFont().family(), 9.75f});
        for (RasterSurface *s : {&given, &fresh}) {
            s->setSize(60, 40);
            s->clear();
        }
        EXPECT_EQ(use(fresh).toStdString(), use(given).toStdString()) << what;
    }
}

// Rasters of a megabyte and more are mapped apart; they draw, clear and shrink as small ones.
TEST(RasterSurface, ALargeRasterDrawsAsASmallOne)
{
    RasterSurface small, large;
    for (RasterSurface *s : {&small, &large}) {
        s->setFont(SurfaceFont{Arial, 24.0f});
        s->setBackColor(0x00FF00);
    }
    small.setSize(60, 40);
    large.setSize(2000, 400);
    QRect ink[2];
    int i = 0;
    for (RasterSurface *s : {&small, &large}) {
        s->clear();
        s->setCurrentX(10);
        s->drawText(QStringLiteral("H"));
        ink[i++] = inkRect(*s);
    }
    EXPECT_FALSE(ink[0].isEmpty());
    EXPECT_EQ(ink[0], ink[1]);
    EXPECT_EQ(large.pixel(1999, 399), 0x00FF00);
    large.setSize(30, 20);
    large.clear();
    EXPECT_TRUE(inkRect(large).isEmpty());
    EXPECT_EQ(large.image().size(), QSize(30, 20));
}

TEST(RasterSurface, RefusedSizesKeepTheOldFontAndSize)
{
    RasterSurface s;
    s.setFont(SurfaceFont{Arial, 9.75f});
    for (float size : {0.0f, -1.0f, 0.3f, std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(), RasterSurface::MaxPointSize + 1}) {
        EXPECT_THROW(s.setFont(SurfaceFont{Arial, size}), Failure) << size;
        EXPECT_FLOAT_EQ(s.font().size, 9.75f);
    }
    s.setSize(10, 10);
    for (const QSize size : {QSize(-1, 5), QSize(5, -1), QSize(RasterSurface::MaxSide + 1, 1)}) {
        EXPECT_THROW(s.setSize(size.width(), size.height()), Failure);
        EXPECT_EQ(QSize(s.width(), s.height()), QSize(10, 10));
    }
}

// The background must stay a clean colour key: no blended edge pixels, and glyphs that
// line up on whole pixels. Up to 64 pixels an em glyphs draw alike everywhere, and the
// box the surface gives holds every pixel drawn: what lets the strips copy measured glyphs.
TEST(RasterSurface, GlyphsAreAliasedOnWholePixelsInsideTheirBoxes)
{
    RasterSurface s;
    s.setBackColor(0x00FF00);
    s.setForeColor(0x8040C0);
    for (const auto &[size, italic, alike] : {std::tuple(8.25f, true, true), std::tuple(48.0f, false, true),
                                              std::tuple(48.75f, false, false), std::tuple(72.0f, true, false)}) {
        s.setFont(SurfaceFont{Arial, size, false, italic});
        EXPECT_EQ(s.drawsAlikeEverywhere(), alike) << size;
        for (const QChar c : printable()) {
            const double advance = s.textWidth(QString(c));
            EXPECT_EQ(advance, std::round(advance)) << size << " " << int(c.unicode());
            const int pen = drawGlyph(s, c);
            for (quint32 pixel : pixelsOf(s)) {
                if (pixel != pixelFromColor(0x00FF00)) {
                    ASSERT_EQ(pixel, pixelFromColor(0x8040C0)) << size << " " << int(c.unicode());
                }
            }
            const QRect ink = inkRect(s);
            if (alike && !ink.isEmpty()) {
                EXPECT_TRUE(s.textBounds(QString(c)).translated(pen, 0).contains(QRectF(ink))) << int(c.unicode());
            }
        }
    }
}

// The surface keeps one buffer across sizes; what it shows must be what a new surface draws.
TEST(RasterSurface, ReusedBufferDrawsLikeAFreshSurface)
{
    RasterSurface reused;
    reused.setBackColor(0x00FF00);
    for (const SurfaceFont &font : {SurfaceFont{Arial, 9.75f}, SurfaceFont{Arial, 72.0f, true, true, false, true}}) {
        reused.setFont(font);
        for (const QChar c : QStringLiteral("W.j\u00C6_")) {
            // Shrinks the buffer from far too large, then lets it grow again.
            reused.setSize(c == QLatin1Char('.') ? 3000 : 1, 3000);
            drawGlyph(reused, c);
            RasterSurface fresh;
            fresh.setBackColor(0x00FF00);
            fresh.setFont(font);
            drawGlyph(fresh, c);
            EXPECT_EQ(reused.image(), fresh.image()) << font.size << " " << int(c.unicode());
        }
    }
}

TEST(RasterSurface, FileThatIsNoPictureFailsNamingIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("notes.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("not a picture") > 0);
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
    EXPECT_TRUE(inkRect(s).isEmpty());
    EXPECT_THROW(RasterSurface().pictureBytes(), Failure);
}

} // namespace
