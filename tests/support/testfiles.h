#pragma once

// Helpers every suite uses: files in and out, failures as text, readable differences.

#include "failure.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
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

// The message of the Failure that f throws, or "<no failure>".
template <typename F>
QString failureOf(F &&f)
{
    try {
        f();
    } catch (const Failure &failure) {
        return failure.message();
    }
    return QStringLiteral("<no failure>");
}

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
