#pragma once

#include "failure.h"

class QFileDevice;
class QSaveFile;

// Failures for file operations, numbered like the program's run-time errors and naming
// the file: 53 not found, 76 path not found, 70 permission denied, 61 disk full, 57 other.

// Why the file could not be opened.
Failure openFailure(const QFileDevice &file);
// Why reading or writing the open file failed.
Failure ioFailure(const QFileDevice &file);

// Writes all of data to the file; throws ioFailure on a short or failed write.
void writeAll(QFileDevice &file, const char *data, qint64 size);
void writeAll(QFileDevice &file, const QByteArray &data);

// Renames the finished temporary file over the target; throws when that fails, leaving
// the old file as it was.
void commitSaveFile(QSaveFile &file);
