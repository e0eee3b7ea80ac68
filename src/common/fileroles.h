#pragma once

#include <QList>
#include <QString>

// A file an operation reads or writes, named in messages by its role ("the font file").
struct FileRole
{
    QString role;
    QString path;
    bool output = true;
};

// Refuses what would lose a file before anything is written: an output without a file name,
// and an output that is the same file as an input or as another output (compared by
// canonical path, symbolic links and "." or ".." resolved), with or without leave to
// overwrite. Throws Failure 5 naming both roles: "The C file would replace the font file
// y.zgf." Inputs without a path are left out.
void refuseSharedFiles(const QList<FileRole> &files);

// The paths of the outputs, in order.
QStringList outputPaths(const QList<FileRole> &files);

// Whether the two paths name the same file; one that does not exist yet is compared by its
// canonical folder and its name.
bool isSameFile(const QString &a, const QString &b);
