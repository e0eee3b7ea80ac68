#pragma once

#include "fileroles.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A make-style dependency file, as make reads it through "-include" and ninja through a
// rule's depfile: one rule, the outputs before the colon (the first is the rule's target),
// the files they were made from after it, each once.
//
//   title.zgf title.h: /home/ana/game/fonts/title.tsm /home/ana/game/fonts/My\ Face.ttf
//
// Names are written as both read them: a space, "#" or ":" after a backslash, "$" as "$$".
// A name neither can read back (a control character, a backslash) throws Failure 5 naming
// the file and why, so a caller can refuse before it writes anything.
QByteArray dependencyRule(const QStringList &targets, const QStringList &prerequisites);

// The rule of an operation's files: its outputs as targets, named as given so that the
// caller's rule matches them; its inputs that have a path as prerequisites, as absolute
// paths, since the readers take relative ones from different folders (make from its own,
// CMake's ninja rules from the build folder, whatever folder the command ran in).
QByteArray dependencyRule(const QList<FileRole> &files);
