#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Font files drawn from without installing them (TrueType, OpenType, collections, and the
// bitmap fonts BDF, PCF and OTB), always from the file's own data: an installed family of
// the same name is never drawn in its place. Need a QGuiApplication.

// One face of a font file.
struct FontFileFace
{
    QString family;
    QString style;
    bool bold = false;
    bool italic = false;
    bool scalable = true;  // false for a bitmap font, which has pixelSizes only
    QList<int> pixelSizes; // the strikes of a bitmap font, ascending
    int index = 0;         // in the file
};

struct FontFileFaces
{
    QList<FontFileFace> faces;
    QStringList families; // each once, in the file's order; empty when the file cannot be read
    QString problem;      // why it cannot be read, when it cannot

    // The face of family that best shows the style (the same weight first, then the same
    // slant); nullptr when the file holds no such family.
    const FontFileFace *face(const QString &family, bool bold, bool italic) const;
};

// The faces of the font file at path, read once for each version of the file. A file that is
// not regular, cannot be read whole, holds no font or has a name no file can have (see
// isExactFileName) has no faces and a problem.
FontFileFaces fontFileFaces(const QString &path);

// What tells one version of the file at path from another: its path, size and time of change.
QString fontFileVersion(const QString &path);

// A face of a font file as the renderer draws it.
struct FontFileDrawing
{
    FontFileFace face;
    // A scalable face is drawn as this family, a name of the program's own under which
    // only that face is known to the renderer.
    QString drawingFamily;
    // A bitmap face is drawn from these bytes, one face on its own.
    QByteArray data;
};

// The face of family in the font file that best shows the style, ready to draw; nullopt
// when the file cannot be read or holds no such family.
std::optional<FontFileDrawing> fontFileDrawing(const QString &path, const QString &family, bool bold, bool italic);

// Whether family is one of the names the program draws font files under (never listed).
bool isDrawingFamily(const QString &family);

// The fixed sizes of a bitmap font as a reader wants them: "6 pt (8 px), 9.75 pt (13 px)".
QString fixedSizesText(const QList<int> &pixelSizes);

// The strike a bitmap face draws for a size in points: the nearest, the smaller of two as near.
int nearestStrike(const QList<int> &pixelSizes, float points);

// What to tell of a bitmap font file asked for at a size (points) it does not have: that its
// sizes are fixed, which they are, and that the nearest is drawn; empty otherwise.
QString fixedSizesNote(const QString &path, const QString &family, float requested);

// What to tell of a style asked of a font file whose face lacks it: that the renderer
// synthesises it; empty when the face has it, or the file cannot be read.
QString synthesisedStyleNote(const QString &path, const QString &family, bool bold, bool italic);

// The message for a file that holds no font the renderer reads, naming the file and, when
// known, what is wrong with it.
QString unreadableFontFileMessage(const QString &path);

// The message for a family that the font file does not hold, listing the ones it holds.
QString missingFamilyMessage(const QString &path, const QString &family);

// Points of a whole number of pixels on the 96 dpi raster (13 px is 9.75 pt).
float pointsOfPixels(int pixels);
