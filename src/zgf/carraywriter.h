#pragma once

#include <QByteArray>
#include <QString>

class Feedback;
class QFileDevice;
class QIODevice;

// Appends the body of a C array of 32-bit words holding the file's bytes to an open
// output: lines indented by two spaces, ten words "0x%08X" a line separated by ", ",
// every line but the last ending with ",", CR LF line ends. A word is four file bytes read
// little-endian; a last word with fewer bytes has zero high-order bytes. An empty file
// gives one line of two spaces. The file is streamed through fixed buffers, the progress
// bar counting lines.
//
// A source that cannot be opened throws an OperationFailure "number: Can't open file " +
// path + ": " + the reason, before anything is written; a read or write failure throws.
void WriteCArray(const QString &sourcePath, QFileDevice &output, Feedback &feedback);

// The same from an open device (a file, or bytes in a buffer), read from its position to its
// end; a read or write failure throws.
void WriteCArray(QIODevice &source, QFileDevice &output, Feedback &feedback);

// The same body for bytes in memory.
QByteArray cArrayBody(const QByteArray &bytes);
