#pragma once

#include "codepage.h"
#include "outputfile.h"

#include <QChar>
#include <QString>

class Feedback;

// The converter's choices between the two C source generators, made by the file's content
// (IsZgfFile), never by its extension.

// The variable name proposed for the file: zgfVariableName of its header when it is a ZGF
// font, else fileVariableName. A font whose header cannot be read is reported as
// "number: description" and gives an empty name.
QString derivedVariableName(const QString &path, Feedback &feedback);

// Writes the file as C source: the C file name made ".h", spaces removed from the variable
// name, then ZgfToCSource for a ZGF font and FileToCSource for any other file. Returns the
// paths written and throws the failure, as they do. page: the code page of a font's codes.
QStringList convertToCSource(const QString &sourcePath, const QString &cPath, const QString &variableName, bool split,
                             Feedback &feedback, QChar groupSeparator, CodePage page = CodePage::Windows1252,
                             Existing existing = Existing::Replace);
