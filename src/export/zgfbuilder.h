#pragma once

#include <QByteArray>
#include <QString>

class Feedback;
class Surface;
class TexelFont;
struct ZgfHeader;

// Where the images of a ZGF file come from and how they are coded.
struct ZgfBuildInput
{
    bool rle = true;
    QString bitmapFileName; // read for a post-processed font
    QString maskFileName;   // read for a masked font
};

// The complete bytes of the document's ZGF file: header, tables, glyph image and mask.
// Measures the document when needed. Throws a Failure naming the cause: a value that does
// not fit its field (naming the field), more than 255 characters, a face name longer than
// 32 bytes, a bitmap that cannot be read, a masked font without a mask file name.
QByteArray buildZgfFile(TexelFont &font, Surface &work, const ZgfBuildInput &input,
                        Feedback &feedback);

// The header of the document's ZGF file with its three offset fields 0.
ZgfHeader zgfHeaderOf(TexelFont &font, bool rle);

// The characters of the set without a Windows-1252 code (written as "?"), each once.
QString unencodableCharacters(const QString &chars);
