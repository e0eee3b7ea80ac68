#pragma once

#include <QtGlobal>

class QIODevice;

// Reads until size bytes have arrived or the device ends, so that callers can treat a
// short count as the end. Returns the count; a read error throws the device's I/O failure
// (naming the file for a file device).
qsizetype readFully(QIODevice &device, char *data, qsizetype size);
