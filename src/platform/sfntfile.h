#pragma once

#include <QByteArray>
#include <QString>

// The table layout of TrueType and OpenType files and collections (an "sfnt"), read
// from bytes without trusting them: every offset is checked against the file's length.

// Whether the bytes start as an sfnt font or collection.
bool isSfnt(const QByteArray &bytes);

// What is wrong with the layout of an sfnt font or collection: a table or face that lies
// past the end of the file (the file was cut short), named by face number and table tag;
// empty when every table lies inside the file.
QString sfntLayoutProblem(const QByteArray &bytes);

// Face index (from 0) of a collection as a font of its own, its tables copied; a single font
// comes back as it is for index 0. Empty when there is no such face or its layout is bad.
QByteArray sfntFace(const QByteArray &bytes, int index);

// The font with its family names (family, full, PostScript, typographic and WWS family)
// replaced by family in every platform's records, so that the renderer knows it by that name
// only; the other names stay. Empty when the bytes are no single sfnt font.
QByteArray sfntRenamed(const QByteArray &font, const QString &family);
