#pragma once

#include <QString>

struct ZgfHeader;

// The names the converter derives for C source. Names derived from face and file names are
// repaired into C identifiers (see repairedCIdentifier); names typed by the person are not,
// and the generators refuse them when they are no identifier.

// The variable name of a ZGF font: the face name without NUL characters, spaces and the
// font list's "[foundry]" tag, all lower case when it has no lower-case letter, its first
// letter lower-cased; the point size; "b", "i", "u", "s" for bold, italic, underline,
// strikethrough; "_p" when post-processed, followed by "m" when it also has a mask. Courier
// New 10 italic gives courierNew10i.
QString zgfVariableName(const ZgfHeader &header);

// The variable name of any other file: its file name without the last extension of at
// most four characters (data.bin gives data, archive.tar.gz gives archive.tar).
QString fileVariableName(const QString &path);

// The C header beside the source file: the source's folder, the variable name, ".h".
QString cFileNameBeside(const QString &sourcePath, const QString &variableName);

// The C file name with its extension made ".h": out.c gives out.h, out gives out.h.
QString headerFileName(const QString &cPath);

// A variable name as typed, made ready for the generator: every space removed.
QString typedVariableName(const QString &text);
