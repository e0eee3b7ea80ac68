#include "carraywriter.h"

#include "feedback.h"
#include "fileerrors.h"
#include "progressmeter.h"
#include "readfully.h"

#include <QFile>

#include <array>
#include <cstring>
#include <memory>

namespace {

constexpr int kWordsPerLine = 10;
constexpr qsizetype kLineBytes = 4 * kWordsPerLine;
// Whole lines per read, about 1 MiB, so only the last read can end inside a line.
constexpr qsizetype kChunkBytes = kLineBytes * 26214;
constexpr char kLineBreak[] = ",\r\n  ";
constexpr qsizetype kLineBreakSize = sizeof(kLineBreak) - 1;
// A full line with its leading break: the break, ten words of 10 characters, nine ", ".
constexpr qsizetype kMaxLineText = kLineBreakSize + kWordsPerLine * 10 + (kWordsPerLine - 1) * 2;

constexpr std::array<std::array<char, 2>, 256> makeHexTable()
{
    constexpr char digits[] = "0123456789ABCDEF";
    std::array<std::array<char, 2>, 256> table{};
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = {digits[i >> 4], digits[i & 15]};
    return table;
}
constexpr auto kHex = makeHexTable();

// "0x" and the four bytes as a little-endian word in upper-case hexadecimal.
inline char *putWord(char *out, const uchar *bytes)
{
    out[0] = '0';
    out[1] = 'x';
    std::memcpy(out + 2, kHex[bytes[3]].data(), 2);
    std::memcpy(out + 4, kHex[bytes[2]].data(), 2);
    std::memcpy(out + 6, kHex[bytes[1]].data(), 2);
    std::memcpy(out + 8, kHex[bytes[0]].data(), 2);
    return out + 10;
}

inline char *putSeparator(char *out, qint64 word)
{
    if (word % kWordsPerLine != 0) {
        out[0] = ',';
        out[1] = ' ';
        return out + 2;
    }
    if (word == 0)
        return out;
    std::memcpy(out, kLineBreak, kLineBreakSize);
    return out + kLineBreakSize;
}

// Formats size bytes that start at word number firstWord; returns the end of the text.
char *formatWords(char *out, const uchar *bytes, qsizetype size, qint64 firstWord)
{
    qint64 word = firstWord;
    qsizetype i = 0;
    // Whole lines: the compiler unrolls the fixed inner loop.
    if (word % kWordsPerLine == 0) {
        for (; i + kLineBytes <= size; i += kLineBytes, word += kWordsPerLine) {
            out = putSeparator(out, word);
            out = putWord(out, bytes + i);
            for (int w = 1; w < kWordsPerLine; ++w) {
                out[0] = ',';
                out[1] = ' ';
                out = putWord(out + 2, bytes + i + 4 * w);
            }
        }
    }
    for (; i + 4 <= size; i += 4, ++word)
        out = putWord(putSeparator(out, word), bytes + i);
    if (i < size) {
        uchar last[4] = {0, 0, 0, 0};
        std::memcpy(last, bytes + i, size_t(size - i));
        out = putWord(putSeparator(out, word), last);
    }
    return out;
}

} // namespace

void WriteCArray(const QString &sourcePath, QFileDevice &output, Feedback &feedback)
{
    QFile source;
    try {
        openForReading(source, sourcePath, QIODevice::Unbuffered);
    } catch (const Failure &failure) {
        throw OperationFailure(restated(failure, QStringLiteral("Can't open file ") + sourcePath));
    }
    WriteCArray(source, output, feedback);
}

void WriteCArray(QIODevice &source, QFileDevice &output, Feedback &feedback)
{
    const qint64 words = (source.size() - source.pos() + 3) / 4;
    ProgressMeter progress(feedback, (words + kWordsPerLine - 1) / kWordsPerLine);

    const auto input = std::make_unique<char[]>(size_t(kChunkBytes));
    const qsizetype textCapacity = 2 + (kChunkBytes / kLineBytes) * kMaxLineText + 2;
    const auto text = std::make_unique<char[]>(size_t(textCapacity));

    char *out = text.get();
    *out++ = ' ';
    *out++ = ' ';
    qint64 word = 0;
    for (;;) {
        const qsizetype got = readFully(source, input.get(), kChunkBytes);
        out = formatWords(out, reinterpret_cast<const uchar *>(input.get()), got, word);
        word += (got + 3) / 4;
        if (got < kChunkBytes) {
            *out++ = '\r';
            *out++ = '\n';
        }
        writeAll(output, text.get(), out - text.get());
        out = text.get();
        progress.setDone((word + kWordsPerLine - 1) / kWordsPerLine);
        if (got < kChunkBytes)
            break;
    }
}

QByteArray cArrayBody(const QByteArray &bytes)
{
    const qsizetype lines = ((bytes.size() + 3) / 4 + kWordsPerLine - 1) / kWordsPerLine;
    QByteArray text(2 + lines * kMaxLineText + 2, Qt::Uninitialized);
    char *out = text.data();
    *out++ = ' ';
    *out++ = ' ';
    out = formatWords(out, reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(), 0);
    *out++ = '\r';
    *out++ = '\n';
    text.truncate(out - text.constData());
    return text;
}
