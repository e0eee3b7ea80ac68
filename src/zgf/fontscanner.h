#pragma once

#include <QList>
#include <QString>

class Feedback;
class ProgressMeter;
class QIODevice;

// A ZGF font embedded in another file.
struct FoundFont
{
    QString name;      // the face name without its NUL characters, control characters and
                       // "\" escaped (\t, \n, \r, \xNN, \\), " ", the point size
    qint64 offset = 0; // of the magic "ZGF\0" in the file
    qint32 size = 0;   // the header's file-size field, as stated
};

// Finds ZGF fonts inside a stream: every "ZGF\0" is a candidate, whatever precedes it and
// also inside the data of a font already found, and a candidate is accepted when its 76
// header bytes lie in the stream and pass IsValidZgfHeader. The stream passes through a
// buffer of the chunk size plus 75 bytes, whatever its length.
class FontScanner
{
public:
    static constexpr qsizetype DefaultChunkSize = qsizetype(1) << 20;

    explicit FontScanner(qsizetype chunkSize = DefaultChunkSize);

    // Reads the device from its current position to its end and appends the accepted
    // fonts to found in ascending offset order (offsets count from that position). A read
    // failure throws, leaving the fonts found before it in the list.
    void scan(QIODevice &device, QList<FoundFont> &found, ProgressMeter *progress = nullptr) const;

private:
    qsizetype mChunkSize;
};

// Scans the file for embedded fonts under the busy pointer and returns them. An empty path
// returns nothing at once. When no font is found the person is told "No ZGF fonts could be
// located in file" + CR LF + path; a failure is shown as "number: description" and the
// fonts found before it are returned.
QList<FoundFont> ScanFile(const QString &path, Feedback &feedback);
