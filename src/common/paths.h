#pragma once

#include <QString>

// Path and field helpers. Paths may use "/" or "\" as folder separator (a path keeps the
// one it has); a drive prefix such as "C:" is recognised.

// The path to hand to a file class: one that begins with ":" is an ordinary relative file
// name, which Qt would take for one of its resources, so it gets "./" before it.
QString ordinaryPath(const QString &path);

// A name read from a file (a face name, a project's GP32 file name) made fit to be one file
// name inside a chosen folder: folder separators and control characters become "_", so it
// can neither lead elsewhere nor hide a line break; "", "." and ".." become underscores.
QString safeFileName(const QString &name);

// The part after the last separator; without one, the part after the drive or the whole
// path. "C:\dir\" gives "", "C:a.txt" gives "a.txt".
QString GetFileName(const QString &path);

// GetFileName without its extension, when the last "." is followed by at most four
// characters: "a.tsm" gives "a", "a.b.jpeg" gives "a.b", "archive.tar5x" stays.
QString GetFileNameNoExt(const QString &path);

// The path up to and including its last separator; without one, the drive ("C:" of
// "C:a.txt"), else "".
QString GetFolder(const QString &path);

// Field number index (from 1) of text split at separator; "" when index < 1 or when the
// text has fewer fields.
QString GetField(const QString &text, int index, const QString &separator);

// The text with field index (from 1) replaced by value, padded with empty fields when
// needed, trailing empty fields dropped; "" when index < 1.
QString SetField(const QString &value, const QString &text, int index, const QString &separator);
