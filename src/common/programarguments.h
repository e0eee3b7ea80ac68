#pragma once

#include <QByteArray>
#include <QStringList>

// A program's command-line arguments as text. A file name is bytes: one that is no UTF-8
// text decodes to another name (U+FFFD in place of its bytes) and would open another file.
struct ProgramArguments
{
    QStringList texts;      // argv[1] on, decoded as file names are
    QByteArray undecodable; // the first argument whose bytes do not survive decoding; empty if none
};

ProgramArguments programArguments(int argc, const char *const argv[]);

// The bytes as a message shows them: printable ASCII as it is, every other byte as \xNN.
QString shownBytes(const QByteArray &bytes);
