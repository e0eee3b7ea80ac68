#pragma once

#include "codepage.h"
#include "fileroles.h"
#include "outputfile.h"

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
// the array. name is used as given, or refused when the array it names would be no C
// identifier (see refuseCArrayName). The file size in the comment has its thousands
// grouped by groupSeparator (the caller's locale).
//
// Before any file is made they refuse a file that would replace another (refuseSharedFiles
// over the file to convert and cSourceOutputs) and an empty source, which C cannot hold.
// Both write through temporary files that replace the old ones only when everything was
// written (the .c file first), and old files only unless existing says Keep (see
// OutputFile); they show the busy pointer and drive the progress bar, and return the full
// paths written, the header first. They throw a refusal or a read or write failure as
// "number: description", and an OperationFailure "number: Can't create .H file " / ".C
// file " + path + ": " + the reason for a file that cannot be made. The caller tells the
// person (reportCSourceWritten, showFailure).

// For a ZGF font: the comment block gives the face name and size, the image sizes and the
// colour depth, the array is named name + "_zgf" and the header also lists the character
// set. A font whose codes are in another code page than Windows-1252 also gets
// "#define " + NAME + "_CODEPAGE" naming the page (NAME: name in upper case) and a comment
// listing each code with its character. A font that cannot be opened throws an
// OperationFailure "number: Can't open .ZGF file " + path + the reason.
QStringList ZgfToCSource(const QString &sourcePath, const QString &cPath, const QString &name, bool split,
                         Feedback &feedback, QChar groupSeparator, CodePage page = CodePage::Windows1252,
                         Existing existing = Existing::Replace);
// The same C source for a font in memory, built as bytes and written by nobody: fontBytes
// as they will be written to fontPath, which names it in the comment block. The outputs
// come in the order they are committed (with split the .c file, then the header), each
// with its "Can't create .H file x" text, not replacing a file (Existing::Keep). Throws the
// refusal of a name that is no C identifier; refusing shared files is the caller's part.
QList<Output> zgfCSource(const QString &fontPath, const QByteArray &fontBytes, const QString &cPath,
                         const QString &name, bool split, QChar groupSeparator, CodePage page = CodePage::Windows1252);

// For any file: the comment block gives the file name and size; the array is named name.
QStringList FileToCSource(const QString &sourcePath, const QString &cPath, const QString &name, bool split,
                          Feedback &feedback, QChar groupSeparator, Existing existing = Existing::Replace);

// Tells the person the C files were written: "C file(s) generated correctly.", naming them.
void reportCSourceWritten(const QStringList &files, Feedback &feedback);

// The files a generation writes: the C file (the header) and, with split, the .c file
// beside it (its folder, its base, ".c").
QList<FileRole> cSourceOutputs(const QString &cPath, bool split);

// What ZgfToCSource appends to the name to name the font's array.
QString zgfArraySuffix();

// Throws Failure 5, saying the rule, when arrayName (the name given, with the array's
// suffix) is no C identifier: "The variable name "x[1]" cannot be written into C: ...".
void refuseCArrayName(const QString &name, const QString &arrayName);
