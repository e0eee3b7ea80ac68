// The embedded-font scanner over mutated files that hold fonts, partial magics and headers
// cut at every chunk boundary: it reports exactly the fonts a byte-by-byte search accepts.
#include "fontscanner.h"
#include "fuzzcases.h"
#include "zgftest.h"

namespace {

// Every "ZGF\0" whose 76 header bytes lie in the data and pass the header test.
QList<qint64> acceptedOffsets(const QByteArray &data)
{
    QList<qint64> offsets;
    for (qsizetype at = data.indexOf(QByteArrayView("ZGF\0", 4)); at >= 0 && at + ZgfHeader::Size <= data.size();
         at = data.indexOf(QByteArrayView("ZGF\0", 4), at + 1)) {
        if (IsValidZgfHeader(data.constData() + at))
            offsets.append(at);
    }
    return offsets;
}

TEST(FontScannerFuzz, FindsWhatAByteByByteSearchAccepts)
{
    std::mt19937 random(fuzzSeed(20261207));
    const auto pick = [&](qsizetype n) { return qsizetype(random() % quint32(qMax<qsizetype>(n, 1))); };
    const QByteArray font = sampleFont(true, true, false).bytes();
    const QByteArray seed = QByteArray("ZZGF\0ZG", 7) + font + QByteArray(13, '\0') + font.left(90) + font + "ZGF";
    int found = 0;
    for (int round = 0, rounds = fuzzCases(3000); round < rounds; ++round) {
        QByteArray data = seed;
        for (int step = 0, steps = 1 + int(random() % 4); step < steps; ++step) {
            const int kind = int(random() % 4);
            const qsizetype at = pick(data.size());
            if (kind == 0 && !data.isEmpty())
                data[at] ^= char(1 << (random() % 8));
            else if (kind == 1 && !data.isEmpty())
                data[at] = char(random());
            else if (kind == 2) // a magic at a new place, or a copy of a header
                data.insert(at, random() % 2 ? QByteArray("ZGF\0", 4) : font.left(ZgfHeader::Size + pick(8)));
            else
                data.remove(at, 1 + pick(80));
        }
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QList<FoundFont> fonts;
        FontScanner(1 + pick(200)).scan(buffer, fonts);
        QList<qint64> offsets;
        for (const FoundFont &f : fonts)
            offsets.append(f.offset);
        ASSERT_EQ(offsets, acceptedOffsets(data)) << "round " << round;
        found += int(fonts.size());
    }
    EXPECT_GT(found, fuzzCases(3000));
}

} // namespace
