#pragma once

#include "outputfile.h"

#include <QString>

class Feedback;
struct FoundFont;

// The file name an embedded font is saved under by default: its list name made a safe file
// name (see safeFileName) + ".zgf". The name comes from the scanned file and must not lead
// out of the folder chosen.
QString extractedFileName(const FoundFont &font);

// Copies the size bytes that start at offset in the source into the file at destPath,
// under the busy pointer and the progress bar, replacing an old file only once every byte
// is written. A destination that is the source itself, a negative offset or size, or a size
// running past the end of the source, is a failure naming the cause (the offset, the stated
// size and the bytes available); nothing is written then. An old file is replaced unless
// existing says Keep (see OutputFile).
// Reports "ZGF font extracted correctly." and returns true, or shows the failure as
// "number: description" and returns false.
bool ExtractFont(const QString &sourcePath, qint64 offset, qint32 size, const QString &destPath, Feedback &feedback,
                 Existing existing = Existing::Replace);
