#include "fuzzcases.h"
#include "zgffont.h"
#include "zgftest.h"
#include "zgftextlayout.h"

namespace {

// A valid file changed in a random way: flipped bits, a changed header byte, a small mask width
// or height increment (the mask data stays long enough), a cut, bytes inserted or removed.
QByteArray mutate(QByteArray data, std::mt19937 &random)
{
    const auto pick = [&](qsizetype n) { return qsizetype(random() % quint32(qMax<qsizetype>(n, 1))); };
    for (int step = 0, steps = 1 + int(random() % 3); step < steps; ++step) {
        const int kind = int(random() % 6);
        if (kind == 0 && !data.isEmpty())
            data[pick(data.size())] ^= char(1 << (random() % 8));
        else if (kind == 1 && data.size() > 76) // a header field, where most checks live
            data[pick(76)] = char(random());
        else if (kind == 2)
            data.truncate(pick(data.size() + 1));
        else if (kind == 3)
            for (qsizetype at = pick(data.size() + 1), n = 1 + pick(8); n > 0; --n)
                data.insert(at, char(random()));
        else if (kind == 4)
            data.remove(pick(data.size()), 1 + pick(8));
        else if (kind == 5 && data.size() > 76)
            data[65 + pick(2)] = char(int(random() % 21) - 10);
    }
    return data;
}

// Every read either gives a consistent font or fails with Failure::InvalidFileFormat; under the
// sanitizers this also catches any out-of-bounds access.
TEST(ZgfFontFuzz, MutatedFilesGiveAFontOrAFailure)
{
    std::mt19937 random(fuzzSeed(20240601));
    int fonts = 0, failures = 0;
    for (bool rle : {false, true}) {
        const QByteArray seed = sampleFont(rle, true, rle).bytes();
        for (int round = 0, rounds = fuzzCases(5000) / 2; round < rounds; ++round) {
            const QByteArray data = mutate(seed, random);
            try {
                const ZgfFont font = ZgfFont::read(data);
                ++fonts;
                ASSERT_EQ(font.imagePixels().size(), qsizetype(font.imageWidth()) * font.imageHeight());
                ASSERT_EQ(font.maskLevels().size(), qsizetype(font.maskWidth()) * font.maskHeight());
                for (int i = 0; i < font.count(); ++i)
                    ASSERT_LE(font.cellX(i) + font.charWidth(i), font.imageWidth());
                const ZgfTextLayout layout(font, QStringLiteral("Ag\u20AC d\ngz A"));
                QList<quint16> pixels(qsizetype(layout.width()) * layout.height());
                layout.draw(pixels);
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
