#pragma once

#include <QChar>
#include <QString>

class Feedback;

// C source of a file: a "//" comment block, an include guard and an array of 32-bit words
// holding the file's bytes (see WriteCArray), in Windows-1252 with CR LF line ends.
//
// cPath is the header to write; its file name without extension is the base of the guard
// symbol "__" + base + "_h__" (repaired into an identifier) and, with split, of the
// source file base + ".c" beside it. Without split the header holds everything; with split
// the header holds the guard and an extern declaration, the .c file the comment block and
// the array. name is used as given. The file size in the comment has its thousands
// grouped by groupSeparator (the caller's locale).
//
// Both write through temporary files that replace the old ones only when everything was
// written, show the busy pointer and drive the progress bar. They report their own
// outcome: "C file(s) generated correctly." and true, or a failure message and false
// ("Can't create .H file " / "Can't create .C file " + path under the application's
// title, "number: description" for a read or write failure).

// For a ZGF font: the comment block gives the face name and size, the image sizes and the
// colour depth, the array is named name + "_zgf" and the header also lists the character
// set. A font that cannot be opened shows "Can't open .ZGF file " + path.
bool ZgfToCSource(const QString &sourcePath, const QString &cPath, const QString &name,
                  bool split, Feedback &feedback, QChar groupSeparator);

// For any file: the comment block gives the file name and size; the array is named name.
bool FileToCSource(const QString &sourcePath, const QString &cPath, const QString &name,
                   bool split, Feedback &feedback, QChar groupSeparator);
