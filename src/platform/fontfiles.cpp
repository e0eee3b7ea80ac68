#include "fontfiles.h"

#include "fileerrors.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace {

// The largest pixel size looked for among a bitmap font's sizes.
constexpr int LargestFixedSize = 256;

// A bitmap font realises every requested size as its nearest own size: asking for each
// size in turn finds them all.
QList<int> realisedPixelSizes(const QString &family)
{
    QList<int> sizes;
    for (int pixels = 1; pixels <= LargestFixedSize; ++pixels) {
        QFont font(family);
        font.setPixelSize(pixels);
        const int realised = QFontInfo(font).pixelSize();
        if (realised > 0 && !sizes.contains(realised))
            sizes.append(realised);
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

FontFileFaces loadFaces(const QString &path)
{
    FontFileFaces faces;
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        return faces;
    faces.families = QFontDatabase::applicationFontFamilies(id);
    if (!faces.families.isEmpty() && !QFontDatabase::isScalable(faces.families.first())) {
        faces.scalable = false;
        faces.pixelSizes = realisedPixelSizes(faces.families.first());
    }
    return faces;
}

} // namespace

FontFileFaces fontFileFaces(const QString &path)
{
    if (!isExactFileName(path)) // a project's name that would open another file
        return {};
    static QHash<QString, FontFileFaces> loaded;
    const QString key = QFileInfo(path).absoluteFilePath();
    if (const auto it = loaded.constFind(key); it != loaded.constEnd())
        return *it;
    const FontFileFaces faces = loadFaces(key);
    if (!faces.families.isEmpty())
        loaded.insert(key, faces);
    return faces;
}

QString fontFileFamily(const QString &path, const QString &name)
{
    const QStringList families = fontFileFaces(path).families;
    if (families.isEmpty())
        return QString();
    return families.contains(name) ? name : families.first();
}

float pointsOfPixels(int pixels)
{
    return float(pixels * 72.0 / 96.0);
}

QString fixedSizesText(const QList<int> &pixelSizes)
{
    QStringList sizes;
    for (const int pixels : pixelSizes)
        sizes.append(QStringLiteral("%1 pt (%2 px)").arg(double(pointsOfPixels(pixels))).arg(pixels));
    return sizes.join(QStringLiteral(", "));
}

QString fixedSizesNote(const QString &path, const QString &family, float requested)
{
    const FontFileFaces faces = fontFileFaces(path);
    if (faces.scalable || faces.pixelSizes.contains(int(std::lround(double(requested) * 96.0 / 72.0))))
        return QString();
    return QStringLiteral("%1 is a bitmap font with fixed sizes only: %2. It is drawn at the nearest of them.")
        .arg(family, fixedSizesText(faces.pixelSizes));
}

QString unreadableFontFileMessage(const QString &path)
{
    return QStringLiteral("%1 holds no font that can be read (TrueType, OpenType, a collection, BDF, PCF or OTB).")
        .arg(QDir::toNativeSeparators(path));
}
