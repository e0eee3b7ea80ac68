#pragma once

#include "failure.h"

#include <QIODevice>

class QFile;
class QFileDevice;

// Failures for file operations, numbered like the program's run-time errors and naming
// the file: 53 not found, 76 path not found, 70 permission denied, 61 disk full (also a
// file grown past the size limit, "File too large"), 57 other. Given the operation's own
// text ("Can't create file " + path), the failure is that text and the reason:
// "70: Can't create file /ro/a.zgf: Permission denied".

// Why the file could not be opened.
Failure openFailure(const QFileDevice &file, const QString &text = QString());
// Why reading or writing the open file failed.
Failure ioFailure(const QFileDevice &file, const QString &text = QString());

// The failure of a system call that set error (an errno value), for the file at path: 61
// for a full disk or quota, 61 "File too large" past the size limit, 75 "File name too
// long", 70 for permissions and read-only file systems, 76 for a missing folder, 57 else.
Failure systemFailure(int error, const QString &path, const QString &text = QString());

// Whether path names exactly one file on the disk: false for a name holding a NUL or
// characters file names cannot encode (a lone surrogate), which would open another file.
bool isExactFileName(const QString &path);
// The bytes that name path on the disk (see ordinaryPath); throws 75 when !isExactFileName.
QByteArray localFileName(const QString &path);

// The failure told as the operation's own text and its reason: "53: Can't open file x: File
// not found".
Failure restated(const Failure &failure, const QString &text);

// Opens the file at path for reading (a path that begins with ":" is an ordinary file, see
// ordinaryPath); throws openFailure, or 75 naming the path when it is no regular file (a
// folder, a device, a pipe), which a reader could wait on or read without end.
void openForReading(QFile &file, const QString &path, QIODevice::OpenMode extra = {});

// Writes all of data to the file; throws ioFailure on a short or failed write.
void writeAll(QFileDevice &file, const char *data, qint64 size);
void writeAll(QFileDevice &file, const QByteArray &data);
