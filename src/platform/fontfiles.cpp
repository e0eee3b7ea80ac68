#include "fontfiles.h"

#include "bdffile.h"
#include "failure.h"
#include "fileerrors.h"
#include "fontdatafaces.h"
#include "sfntfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QFontDatabase>
#include <QHash>

#include <cmath>

namespace {

// Larger files are refused unread: the largest fonts people use hold a few tens of MiB.
constexpr qint64 MaxFontFileSize = qint64(256) << 20;

const QString DrawingFamilyPrefix = QStringLiteral("TexelSmithy drawing face ");

// A font file as it was read, with the faces found in it.
struct ReadFontFile
{
    QByteArray data; // as drawn: a BDF's charset completed
    FontFileFaces faces;
    QHash<int, QString> drawingFamilies; // by face index, once registered
};

// The bytes of the file, or the problem that keeps them from being read.
QByteArray fileBytes(const QString &path, QString *problem)
{
    try {
        QFile file;
        openForReading(file, path);
        if (file.size() > MaxFontFileSize) {
            *problem = QStringLiteral("it holds %1 bytes, more than a font file is read from").arg(file.size());
            return QByteArray();
        }
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw ioFailure(file);
        return bytes;
    } catch (const Failure &failure) {
        *problem = failure.message();
        return QByteArray();
    }
}

ReadFontFile readFontFile(const QString &path)
{
    ReadFontFile read;
    QString problem;
    const QByteArray bytes = fileBytes(path, &problem);
    if (problem.isEmpty() && isSfnt(bytes))
        problem = sfntLayoutProblem(bytes);
    if (problem.isEmpty())
        problem = bdfProblem(bytes);
    if (problem.isEmpty()) {
        read.data = bdfWithUnicodeCharset(bytes);
        read.faces = facesOfFontData(read.data, QFileInfo(path).completeBaseName());
        // Outlines are drawn by name, which only the sfnt formats let the program change.
        if (read.faces.problem.isEmpty() && !isSfnt(bytes)
            && std::any_of(read.faces.faces.begin(), read.faces.faces.end(),
                           [](const FontFileFace &face) { return face.scalable; })) {
            read.faces.problem = QStringLiteral("its outlines are of a kind that is not drawn from a file");
        }
        problem = read.faces.problem;
    }
    if (!problem.isEmpty()) {
        read.faces = FontFileFaces();
        read.faces.problem = problem;
    }
    return read;
}

// Guards the files read and the faces registered: documents are drawn in several threads.
QMutex gFontFilesMutex;

// The files read so far, by path, size and time of change: a file replaced is read again.
ReadFontFile &readOnce(const QString &path)
{
    static QHash<QString, ReadFontFile> files;
    const QString key = fontFileVersion(path);
    if (const auto it = files.find(key); it != files.end())
        return *it;
    return *files.insert(key, readFontFile(QFileInfo(path).absoluteFilePath()));
}

// Registers the face under a family name of its own; empty when the renderer refuses it.
QString registeredFace(ReadFontFile &file, const FontFileFace &face)
{
    if (const auto it = file.drawingFamilies.constFind(face.index); it != file.drawingFamilies.constEnd())
        return *it;
    static int registered = 0;
    const QString family = DrawingFamilyPrefix + QString::number(++registered);
    const int id = QFontDatabase::addApplicationFontFromData(sfntRenamed(sfntFace(file.data, face.index), family));
    const QString drawn = id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(family) ? family : QString();
    file.drawingFamilies.insert(face.index, drawn);
    return drawn;
}

} // namespace

const FontFileFace *FontFileFaces::face(const QString &family, bool bold, bool italic) const
{
    const FontFileFace *best = nullptr;
    int bestDistance = 0;
    for (const FontFileFace &candidate : faces) {
        if (candidate.family.compare(family, Qt::CaseInsensitive) != 0)
            continue;
        const int distance = (candidate.bold != bold ? 2 : 0) + (candidate.italic != italic ? 1 : 0);
        if (!best || distance < bestDistance) {
            best = &candidate;
            bestDistance = distance;
        }
    }
    return best;
}

QString fontFileVersion(const QString &path)
{
    const QFileInfo info(path);
    return info.absoluteFilePath() + QLatin1Char('\n') + QString::number(info.exists()) + QLatin1Char('\n')
        + QString::number(info.size()) + QLatin1Char('\n') + QString::number(info.lastModified().toMSecsSinceEpoch());
}

FontFileFaces fontFileFaces(const QString &path)
{
    const QMutexLocker lock(&gFontFilesMutex);
    return readOnce(path).faces;
}

std::optional<FontFileDrawing> fontFileDrawing(const QString &path, const QString &family, bool bold, bool italic)
{
    const QMutexLocker lock(&gFontFilesMutex);
    ReadFontFile &file = readOnce(path);
    const FontFileFace *face = file.faces.face(family, bold, italic);
    if (!face)
        return std::nullopt;
    FontFileDrawing drawing{*face, QString(), QByteArray()};
    if (face->scalable) {
        drawing.drawingFamily = registeredFace(file, *face);
        if (drawing.drawingFamily.isEmpty())
            return std::nullopt;
    } else {
        drawing.data = isSfnt(file.data) ? sfntFace(file.data, face->index) : file.data;
    }
    return drawing;
}

bool isDrawingFamily(const QString &family)
{
    return family.startsWith(DrawingFamilyPrefix);
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

int nearestStrike(const QList<int> &pixelSizes, float points)
{
    const double pixels = std::round(double(points) * 96.0 / 72.0);
    int nearest = 0;
    for (const int size : pixelSizes) {
        if (nearest == 0 || std::abs(size - pixels) < std::abs(nearest - pixels))
            nearest = size;
    }
    return nearest;
}

QString fixedSizesNote(const QString &path, const QString &family, float requested)
{
    const FontFileFace *face = fontFileFaces(path).face(family, false, false);
    if (!face || face->scalable || face->pixelSizes.contains(int(std::lround(double(requested) * 96.0 / 72.0))))
        return QString();
    return QStringLiteral("%1 is a bitmap font with fixed sizes only: %2. It is drawn at the nearest of them.")
        .arg(family, fixedSizesText(face->pixelSizes));
}

QString synthesisedStyleNote(const QString &path, const QString &family, bool bold, bool italic)
{
    const FontFileFace *face = fontFileFaces(path).face(family, bold, italic);
    if (!face)
        return QString();
    QStringList missing;
    if (bold && !face->bold)
        missing.append(QStringLiteral("bold"));
    if (italic && !face->italic)
        missing.append(QStringLiteral("italic"));
    if (missing.isEmpty())
        return QString();
    const QString styles = missing.join(QStringLiteral(" or "));
    return QStringLiteral("%1 holds no %2 face of %3: the renderer synthesises %4.")
        .arg(QDir::toNativeSeparators(path), styles, family, missing.join(QStringLiteral(" and ")));
}

QString unreadableFontFileMessage(const QString &path)
{
    const QString problem = fontFileFaces(path).problem;
    const QString file = QDir::toNativeSeparators(path);
    if (problem.isEmpty() || problem.startsWith(QStringLiteral("it holds no font")))
        return QStringLiteral("%1 holds no font that can be read (TrueType, OpenType, a collection, BDF, PCF or OTB).")
            .arg(file);
    return QStringLiteral("The font file %1 cannot be read: %2.").arg(file, problem);
}

QString missingFamilyMessage(const QString &path, const QString &family)
{
    return QStringLiteral("The font file %1 holds no family %2; it holds %3.")
        .arg(QDir::toNativeSeparators(path), family, fontFileFaces(path).families.join(QStringLiteral(", ")));
}
