#pragma once

#include <QImage>
#include <QString>

// A picture file as it is drawn: any format Qt reads, a Windows bitmap only once it has passed
// bitmapFileProblem. Bitmaps with the 52- and 56-byte headers (colour masks, no colour space),
// which Qt does not know, are read as the same bitmap with the 108-byte header. An indexed
// picture whose pixels name colours past its colour table is refused: drawing it would read
// beyond the table. The picture keeps its own size whatever its file name says ("@2x").

// A picture file larger than this is refused before it is read.
inline constexpr qint64 MaxPictureFileSize = qint64(256) << 20;

// The picture at path; throws the open or read failure, 75 for no regular file, or 481
// "Invalid picture: " + path, and what is wrong when that is known.
QImage readPictureFile(const QString &path);
