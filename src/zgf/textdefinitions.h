#pragma once

#include "codepage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A game's texts kept in one readable file, "KEY=text" a line (UTF-8), written as C
// "#define KEY "..."" lines in the font's code page. Empty lines and lines starting with "#"
// are skipped; the text is everything after the first "=", kept exactly.
struct TextDefinition
{
    QString key;
    QString text;
    int line = 0; // from 1
};

struct TextDefinitions
{
    QList<TextDefinition> definitions;
    // "line 3: "x y" is no C identifier" and the like, one a fault; empty when all is well.
    QStringList faults;
};

TextDefinitions readTextDefinitions(const QString &content);

// A header of the definitions: a comment naming the page and the file they came from, an
// include guard named after headerBase, one "#define KEY "..."" a definition (see
// cStringLiteral); CR LF line ends like the program's other C files.
QByteArray textDefinitionsHeader(const QList<TextDefinition> &definitions, CodePage page, const QString &sourceName,
                                 const QString &headerBase);
