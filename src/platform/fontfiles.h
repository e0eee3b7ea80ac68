#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A font file drawn from without installing it (TrueType, OpenType, collections, and the
// bitmap fonts FreeType reads: BDF, PCF, OTB). Needs a QGuiApplication.
struct FontFileFaces
{
    QStringList families;  // empty when the file cannot be read as a font
    bool scalable = true;  // false for a bitmap font, which has pixelSizes only
    QList<int> pixelSizes; // the sizes of a bitmap font, ascending
};

// The faces of the font file at path, which is added to the program's fonts the first time
// it is asked for (a file that cannot be read is tried again the next time). A name no file
// can have (see isExactFileName) gives no faces.
FontFileFaces fontFileFaces(const QString &path);

// The family of a font file drawn for the family name: name itself when the file holds it,
// else the file's first family; empty when the file cannot be read.
QString fontFileFamily(const QString &path, const QString &name);

// The fixed sizes of a bitmap font as a reader wants them: "6 pt (8 px), 9.75 pt (13 px)".
QString fixedSizesText(const QList<int> &pixelSizes);

// What to tell of a bitmap font file asked for at a size (points) it does not have: that its
// sizes are fixed, which they are, and that the nearest is drawn; empty otherwise.
QString fixedSizesNote(const QString &path, const QString &family, float requested);

// The message for a file that holds no font the renderer reads.
QString unreadableFontFileMessage(const QString &path);

// Points of a whole number of pixels on the 96 dpi raster (13 px is 9.75 pt).
float pointsOfPixels(int pixels);
