#pragma once

// Helpers every GoogleTest suite uses: the file helpers, failures as text, strings printed readably.

#include "failure.h"
#include "filebytes.h"

#include <gtest/gtest.h>

#include <ostream>

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
