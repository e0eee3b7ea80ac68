#pragma once

// Files in and out for every suite, GoogleTest's and Qt Test's alike.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>

// Writes the bytes, or ends the test program when it cannot; gives back the path.
inline QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The offset of the first byte where two files differ, or -1 when they are equal.
inline qsizetype firstDifference(const QByteArray &a, const QByteArray &b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return ia == a.end() && ib == b.end() ? -1 : ia - a.begin();
}
