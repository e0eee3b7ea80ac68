#include "zgfdecoder.h"
#include "zgffont.h"
#include "zgftestfont.h"
#include "zgftextlayout.h"

#include <gtest/gtest.h>

#include <random>

namespace {

ZgfTestFont seedFont(bool rle)
{
    ZgfTestFont font;
    font.codes = QByteArray("ab c");
    font.widths = {4, 6, 2, 5};
    font.leftIndents = {0, -1, 0, 2};
    font.rightIndents = {1, 0, 3, -2};
    font.height = 6;
    font.rle = rle;
    font.masked = true;
    font.invertMask = rle;
    font.maskWidthInc = 1;
    font.maskHeightInc = 2;
    font.defaultWidth = 3;
    font.prepareSurfaces();
    std::mt19937 random(3);
    for (int y = 0; y < font.height; ++y) {
        for (int x = 0; x < font.imageWidth(); ++x) {
            if (random() % 2)
                font.image.setPixel(x, y, Color(random() & 0xF8F8F8));
        }
    }
    for (int x = 0; x < font.maskWidth(); x += 3)
        font.mask.setPixel(x, 1, font.invertMask ? 0 : 0xFFFFFF);
    return font;
}

// A valid file changed in a random way: flipped bits, a changed header byte, a cut, bytes
// inserted or removed.
QByteArray mutate(QByteArray data, std::mt19937 &random)
{
    const auto pick = [&](qsizetype n) { return qsizetype(random() % quint32(qMax<qsizetype>(n, 1))); };
    const int steps = 1 + int(random() % 3);
    for (int step = 0; step < steps; ++step) {
        switch (random() % 5) {
        case 0:
            if (!data.isEmpty())
                data[pick(data.size())] ^= char(1 << (random() % 8));
            break;
        case 1: // a header field, where most checks live
            if (data.size() > 76)
                data[pick(76)] = char(random());
            break;
        case 2:
            data.truncate(pick(data.size() + 1));
            break;
        case 3: {
            QByteArray inserted;
            for (int i = 0, n = 1 + int(random() % 8); i < n; ++i)
                inserted.append(char(random()));
            data.insert(pick(data.size() + 1), inserted);
            break;
        }
        default:
            data.remove(pick(data.size()), 1 + pick(8));
            break;
        }
    }
    return data;
}

// Every read either gives a consistent font or fails with Failure::InvalidFileFormat; under the
// sanitizers this also catches any out-of-bounds access.
TEST(ZgfFontFuzz, MutatedFilesGiveAFontOrAFailure)
{
    std::mt19937 random(20240601);
    int fonts = 0;
    int failures = 0;
    for (bool rle : {false, true}) {
        const QByteArray seed = seedFont(rle).bytes();
        for (int round = 0; round < 2500; ++round) {
            const QByteArray data = mutate(seed, random);
            try {
                const ZgfFont font = ZgfFont::read(data);
                ++fonts;
                ASSERT_EQ(font.imagePixels().size(), qsizetype(font.imageWidth()) * font.imageHeight());
                ASSERT_EQ(font.maskLevels().size(), qsizetype(font.maskWidth()) * font.maskHeight());
                for (int i = 0; i < font.count(); ++i)
                    ASSERT_LE(font.cellX(i) + font.charWidth(i), font.imageWidth());
                const ZgfTextImage image = ZgfTextLayout(font, QStringLiteral("abc d\nca b")).render();
                ASSERT_EQ(image.pixels.size(), qsizetype(image.width) * image.height);
            } catch (const Failure &failure) {
                ++failures;
                ASSERT_EQ(failure.number, Failure::InvalidFileFormat) << failure.message().toStdString();
            }
        }
    }
    // Both outcomes occur, so the mutations reach past the first checks.
    EXPECT_GT(fonts, 100);
    EXPECT_GT(failures, 1000);
}

} // namespace
