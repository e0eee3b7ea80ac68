// The edited bitmaps the export reads back: every cut of a sound file, and seeded random
// mutations of it, either load whole or fail with 481 naming the file (and, for a "BM"
// file, what is wrong), never a crash, a sanitizer report or a picture with rows made up.
#include "failure.h"
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
    const QByteArray codes = QByteArray::fromHex("0801" "0000" "0008" "01010101" "0001");
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

// The colours drawn from a picture file of 8 x 2 pixels.
QList<Color> drawnColors(const QByteArray &bytes)
{
    if (!load(bytes).empty())
        return {};
    RasterSurface surface;
    surface.setSize(8, 4);
    surface.loadPicture(edited);
    QList<Color> colors;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 8; ++x)
            colors.append(surface.pixel(x, y));
    }
    return colors;
}

// Pixels the run-length codes skip take colour 0 of the table, and an index past the table
// draws without reading past it: never what the memory happened to hold.
TEST(BitmapReader, SkippedAndStrayPixelsAreDefined)
{
    const QByteArray rle = soundFiles().at(2);
    const auto coded = [&](const char *codes) {
        return rle.left(qFromLittleEndian<quint32>(rle.constData() + 10)) + QByteArray::fromHex(codes);
    };
    const QList<Color> zeros = drawnColors(coded("0800" "0000" "0800" "0001"));
    ASSERT_EQ(zeros.size(), 16);
    ASSERT_EQ(zeros.count(zeros.constFirst()), 16);
    const std::pair<const char *, const char *> skipping[] = {
        {"0001", "the bitmap's end at once"},
        {"0200" "0000" "0001", "a line's end after two pixels"},
        {"0002" "0401" "0001", "a move of four pixels and a line"},
    };
    for (const auto &[codes, what] : skipping)
        EXPECT_EQ(drawnColors(coded(codes)), zeros) << what;
    const QList<Color> stray = drawnColors(coded("08ff" "0000" "08ff" "0001"));
    ASSERT_EQ(stray.size(), 16);
    EXPECT_EQ(drawnColors(coded("08ff" "0000" "08ff" "0001")), stray);
}

TEST(BitmapReader, MutatedFilesLoadOrFailCleanly)
{
    std::mt19937 random(20260501);
    const auto pick = [&](qsizetype n) { return qsizetype(random() % quint32(qMax<qsizetype>(n, 1))); };
    int loaded = 0;
    for (const QByteArray &sound : soundFiles()) {
        for (int round = 0; round < 700; ++round) {
            QByteArray data = sound;
            for (int step = 0, kind = int(random() % 4); step < 1 + int(random() % 3); ++step, kind = int(random() % 4)) {
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
    EXPECT_GT(loaded, 100);
}

} // namespace
