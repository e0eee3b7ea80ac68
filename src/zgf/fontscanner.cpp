#include "fontscanner.h"

#include "feedback.h"
#include "fileerrors.h"
#include "listedtext.h"
#include "progressmeter.h"
#include "readfully.h"
#include "zgfheader.h"

#include <QFile>

#include <cstring>
#include <memory>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Bytes kept from one chunk for the next: a header starting there may not be complete yet.
constexpr qsizetype kCarry = ZgfHeader::Size - 1;

bool isMagic(const uchar *p)
{
    return p[0] == 'Z' && p[1] == 'G' && p[2] == 'F' && p[3] == 0;
}

// The first start in [from, last] of the magic, or -1. Reads the bytes up to last + 3.
qsizetype findMagic(const uchar *data, qsizetype from, qsizetype last)
{
    qsizetype i = from;
#if defined(__SSE2__)
    // Test the first and the last byte of the magic for 16 starts at once; a start that
    // passes both is rare in any data and is checked in full.
    const __m128i z = _mm_set1_epi8('Z');
    const __m128i nul = _mm_setzero_si128();
    for (; i + 15 <= last; i += 16) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const __m128i fourth = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i + 3));
        unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(first, z), _mm_cmpeq_epi8(fourth, nul))));
        while (mask != 0) {
            const qsizetype at = i + __builtin_ctz(mask);
            if (isMagic(data + at))
                return at;
            mask &= mask - 1;
        }
    }
#endif
    while (i <= last) {
        const auto *hit = static_cast<const uchar *>(std::memchr(data + i, 'Z', size_t(last - i + 1)));
        if (hit == nullptr)
            return -1;
        i = hit - data;
        if (isMagic(hit))
            return i;
        ++i;
    }
    return -1;
}

FoundFont foundFont(const uchar *header, qint64 offset)
{
    const ZgfHeader h = ZgfHeader::fromBytes(reinterpret_cast<const char *>(header), ZgfHeader::Size);
    return {listedText(h.faceNameText()) + QLatin1Char(' ') + QString::number(h.PointSize), offset, h.FileLength};
}

} // namespace

FontScanner::FontScanner(qsizetype chunkSize) : mChunkSize(qMax<qsizetype>(chunkSize, 1))
{
}

void FontScanner::scan(QIODevice &device, QList<FoundFont> &found, ProgressMeter *progress) const
{
    const auto buffer = std::make_unique<char[]>(size_t(mChunkSize + kCarry));
    const auto *data = reinterpret_cast<const uchar *>(buffer.get());
    qsizetype filled = 0;
    qint64 bufferOffset = 0; // stream offset of buffer[0]
    for (;;) {
        const qsizetype got = readFully(device, buffer.get() + filled, mChunkSize);
        filled += got;
        // Every start up to here has its whole header in the buffer; the later ones
        // are carried into the next round, or lack their header at the end.
        const qsizetype last = filled - ZgfHeader::Size;
        for (qsizetype at = findMagic(data, 0, last); at >= 0; at = findMagic(data, at + 1, last)) {
            if (IsValidZgfHeader(buffer.get() + at))
                found.append(foundFont(data + at, bufferOffset + at));
        }
        if (progress != nullptr)
            progress->setDone(bufferOffset + filled);
        if (got < mChunkSize)
            return;
        const qsizetype keep = qMin(filled, kCarry);
        std::memmove(buffer.get(), buffer.get() + filled - keep, size_t(keep));
        bufferOffset += filled - keep;
        filled = keep;
    }
}

QList<FoundFont> ScanFile(const QString &path, Feedback &feedback)
{
    QList<FoundFont> found;
    if (path.isEmpty())
        return found;
    QString failure;
    {
        BusyGuard busy(feedback);
        try {
            QFile file;
            openForReading(file, path, QIODevice::Unbuffered);
            ProgressMeter progress(feedback, file.size());
            FontScanner().scan(file, found, &progress);
        } catch (const Failure &f) {
            failure = f.message();
        }
    }
    if (!failure.isEmpty())
        feedback.fail(failure);
    else if (found.isEmpty())
        feedback.inform(QStringLiteral("No ZGF fonts could be located in file\r\n") + path);
    return found;
}
