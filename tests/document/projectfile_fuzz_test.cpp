// Feeds seeded random mutations of project records to TexelFont::Load: every case must end
// in a clean result or one failure message, never a crash or a sanitizer report.
#include "documenttesting.h"
#include "fuzzcases.h"
#include "projectextension.h"
#include "projectrecord.h"
#include "recordingfeedback.h"

#include <QTemporaryDir>

#include <bit>
#include <limits>
#include <random>

namespace {

std::mt19937 randomBits{fuzzSeed(20260415)};

int pick(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(randomBits);
}
auto pickOf(const auto &values)
{
    return values[pick(0, int(std::size(values)) - 1)];
}

void mutateOnce(QByteArray &bytes)
{
    using L = std::numeric_limits<float>;
    static const quint8 bytesOfNote[] = {0x00, 0x01, 0x02, 0x03, 0x20, 0x7F, 0x80, 0x81, 0x9D, 0xFF};
    static const quint16 wordsOfNote[] = {0x0000, 0x0001, 0x3FFF, 0x4000, 0x7FFF, 0x8000, 0xC000, 0xFFFF};
    static const float sizesOfNote[] = {L::quiet_NaN(),  L::infinity(), -L::infinity(), L::max(), L::lowest(),
                                        L::denorm_min(), 0.0f,          -0.0f,          -0.25f,   99.75f,
                                        32767.75f,       2147483520.0f, 1e30f};
    auto put = [&bytes](qsizetype at, const QByteArray &value) {
        if (at + value.size() <= bytes.size())
            bytes.replace(at, value.size(), value);
    };
    const qsizetype at = bytes.isEmpty() ? 0 : pick(0, int(bytes.size()) - 1);
    const int kind = pick(0, 8);
    if (kind <= 2 && !bytes.isEmpty()) // flip a bit, set any byte, set a byte of note
        bytes[at] = char(kind == 0 ? bytes[at] ^ (1 << pick(0, 7)) : kind == 1 ? pick(0, 255) : pickOf(bytesOfNote));
    else if (kind == 3)
        put(at, le(pickOf(wordsOfNote), 2));
    else if (kind == 4) // Size of version 2 and of version 1
        put(pick(0, 1) ? 93 : 53, le(std::bit_cast<quint32>(pickOf(sizesOfNote)), 4));
    else if (kind == 5)
        bytes.truncate(pick(0, int(bytes.size())));
    else if (kind == 6)
        for (int n = pick(1, 3000); n > 0; --n)
            bytes.append(char(pick(0, 255)));
    else if (kind == 7)
        put(20, QByteArray(1, char(pick(0, 3))));
    else if (kind == 8)
        put(at, QByteArray(std::min<qsizetype>(pick(1, 600), bytes.size() - at), char(pick(0, 255))));
}

// A new document with the record and the extension of this one applied, as saving and
// loading would give (kept in memory: saving syncs to disk, too slow for thousands of cases).
// The extension is what keeps texts the record cannot: the record's fields are padded with
// spaces, so its reader drops a text's spaces at either end.
TexelFont reloaded(const TexelFont &font)
{
    TexelFont loaded;
    ProjectRecord::fromBytes(ProjectRecord::fromDocument(font).toBytes(), QString()).applyTo(loaded);
    EXPECT_TRUE(
        ProjectExtension::applyTo(ProjectExtension::toBytes(font, font.Filename()), loaded, font.Filename()).isEmpty());
    loaded.setFilename(font.Filename());
    return loaded;
}

TEST(ProjectFileFuzz, MutatedRecordsLoadCleanlyOrFailCleanly)
{
    TexelFont styled;
    styled.setTTFName(QStringLiteral("Times New Roman"));
    styled.setName(QStringLiteral("Fancy"));
    styled.setBold(true);
    styled.Postprocessed = styled.Masked = true;
    styled.SampleText = QStringLiteral("\u20AC\u00F1 sample");
    const QByteArray version2 = ProjectRecord::fromDocument(styled).toBytes();
    QByteArray version1 = version2.left(ProjectRecord::Version1Size);
    version1[20] = 1;
    const QByteArray extended = version2 + ProjectExtension::toBytes(styled, QStringLiteral("/p/fuzz.tsm"));
    const QByteArray seeds[] = {ProjectRecord::fromDocument(TexelFont()).toBytes(), version2, version1, extended};

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.tsm"));
    const int cases = fuzzCases(3000);
    int loaded = 0;
    for (int i = 0; i < cases; ++i) {
        QByteArray bytes = seeds[i % std::size(seeds)];
        for (int count = pick(1, 8); count > 0; --count)
            mutateOnce(bytes);
        writeFile(path, bytes);
        TexelFont font;
        const auto before = documentState(font);
        RecordingFeedback feedback;
        const bool ok = font.Load(path, feedback);
        SCOPED_TRACE("case " + std::to_string(i) + ": " + bytes.left(64).toHex().toStdString());
        if (!ok) {
            ASSERT_EQ(feedback.messages.size(), 1);
            ASSERT_EQ(feedback.messages[0].title, Feedback::Title::Application);
            ASSERT_EQ(documentState(font), before);
            continue;
        }
        ++loaded;
        // At most the one note of a damaged extension.
        ASSERT_TRUE(feedback.failures().isEmpty());
        ASSERT_LE(feedback.messages.size(), 1);
        ASSERT_EQ(font.Filename(), path);

        // Whatever a file held, the record it loads as is written and read back unchanged.
        // The custom flags settle after one round: a GP32FileName of nine characters (sizes
        // from 99.5 points) is cut to eight and then differs from the calculated one.
        const TexelFont once = reloaded(font);
        ASSERT_EQ(
            firstDifference(ProjectRecord::fromDocument(once).toBytes(), ProjectRecord::fromDocument(font).toBytes()),
            -1);
        ASSERT_EQ(documentState(reloaded(once)), documentState(once));
    }
    // The mutations must leave enough records loadable to exercise the reading of fields.
    EXPECT_GT(loaded, cases / 4);
}

} // namespace
