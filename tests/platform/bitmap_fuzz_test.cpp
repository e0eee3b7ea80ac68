// The edited bitmaps the export reads back: every cut of a sound file, and seeded random
// mutations of it, either load whole or fail with 481 naming the file (and, for a "BM"
// file, what is wrong), never a crash, a sanitizer report or a picture with rows made up.
#include "failure.h"
#include "fuzzcases.h"
#include "rastersurface.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <random>

namespace {

QTemporaryDir folder;
const QString edited = folder.filePath(QStringLiteral("edited.bmp"));

// The failure message of loading the bytes as a picture, or "" when they load.
std::string load(const QByteArray &bytes)
{
    QFile file(edited);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return "not written";
    file.close();
    RasterSurface surface;
    surface.setSize(8, 4);
    try {
        surface.loadPicture(edited);
        return {};
    } catch (const Failure &failure) {
        EXPECT_TRUE(failure.message().startsWith(QStringLiteral("481: Invalid picture: ") + edited));
        return failure.message().mid(22 + edited.size()).toStdString();
    }
}

// 24 bits as the bitmap export writes them; two colours (4 bits) with a colour table; the
// same run-length coded: a run of 8, then 8 pixels as they are.
QList<QByteArray> soundFiles()
{
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    picture.setPixel(3, 1, qRgb(0, 0, 0));
    QList<QByteArray> files;
    for (const QImage &image : {picture, picture.convertToFormat(QImage::Format_Indexed8)}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "BMP");
        files.append(buffer.data());
    }
    const QByteArray codes = QByteArray::fromHex("0801"
                                                 "0000"
                                                 "0008"
                                                 "01010101"
                                                 "0001");
    QByteArray rle = files.at(1).left(qFromLittleEndian<quint32>(files.at(1).constData() + 10)) + codes;
    rle[22] = 2; // rows
    rle[30] = 2; // BI_RLE4
    return files << rle;
}

TEST(BitmapReader, EveryCutIsRefusedNamingTheFault)
{
    for (const QByteArray &sound : soundFiles()) {
        ASSERT_EQ(load(sound), "");
        for (qsizetype size = 2; size < sound.size(); ++size)
            ASSERT_NE(load(sound.left(size)), "") << size << " of " << sound.size() << " bytes";
    }
    QByteArray planes = soundFiles().at(0);
    planes[26] = 0;
    EXPECT_EQ(load(planes), ": it has 0 planes, not 1");
}

TEST(BitmapReader, MutatedFilesLoadOrFailCleanly)
{
    std::mt19937 random(fuzzSeed(20260501));
    const auto pick = [&](qsizetype n) { return qsizetype(random() % quint32(qMax<qsizetype>(n, 1))); };
    int loaded = 0;
    const QList<QByteArray> seeds = soundFiles();
    const int rounds = fuzzCases(2100) / int(seeds.size());
    for (const QByteArray &sound : seeds) {
        for (int round = 0; round < rounds; ++round) {
            QByteArray data = sound;
            for (int step = 0, kind = int(random() % 4); step < 1 + int(random() % 3);
                 ++step, kind = int(random() % 4)) {
                if (kind < 2) // a bit anywhere, or a byte of the headers where sizes and offsets live
                    data[kind == 0 ? pick(data.size()) : pick(54)] ^= char(kind == 0 ? 1 << (random() % 8) : random());
                else if (kind == 2)
                    data.insert(pick(data.size() + 1), char(random()));
                else
                    data.remove(pick(data.size()), 1 + pick(8));
            }
            loaded += load(data).empty() ? 1 : 0;
        }
    }
    // Some mutations load (the cuts above fail), so they reach past the first checks.
    EXPECT_GT(loaded, rounds / 7);
}

} // namespace
