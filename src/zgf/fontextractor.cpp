#include "fontextractor.h"

#include "feedback.h"
#include "fileerrors.h"
#include "fileroles.h"
#include "fontscanner.h"
#include "paths.h"
#include "progressmeter.h"
#include "readfully.h"

#include <QFile>

#include <memory>

namespace {

// The run-time failure of reading past the end of a file.
constexpr qint32 kInputPastEnd = 62;

Failure sizeFailure(const QString &path, qint64 offset, qint32 size, qint64 available)
{
    const QString detail =
        QStringLiteral("the font at offset %1 states a size of %2 bytes, but %3 bytes are available there in %4")
            .arg(offset)
            .arg(size)
            .arg(available)
            .arg(path);
    if (offset < 0 || size < 0)
        return Failure::runtime(Failure::InvalidCall, detail);
    return Failure(kInputPastEnd, QStringLiteral("Input past end of file: ") + detail);
}

void copyFont(const QString &sourcePath, qint64 offset, qint32 size, const QString &destPath, Existing existing,
              Feedback &feedback)
{
    refuseSharedFiles(
        {{QStringLiteral("the scanned file"), sourcePath, false}, {QStringLiteral("the font file"), destPath}});
    QFile source;
    openForReading(source, sourcePath);
    const qint64 available = offset < 0 ? 0 : qMax<qint64>(source.size() - offset, 0);
    if (offset < 0 || size < 0 || size > available)
        throw sizeFailure(sourcePath, offset, size, available);
    if (!source.seek(offset))
        throw ioFailure(source);

    OutputFile dest(destPath, existing);
    dest.open();
    constexpr qsizetype kChunk = qsizetype(1) << 20;
    const auto buffer = std::make_unique<char[]>(size_t(kChunk));
    ProgressMeter progress(feedback, size);
    qint64 left = size;
    while (left > 0) {
        const qsizetype want = qsizetype(qMin<qint64>(left, kChunk));
        const qsizetype got = readFully(source, buffer.get(), want);
        if (got < want) // the source shrank since its size was taken
            throw sizeFailure(sourcePath, offset, size, size - left + got);
        writeAll(dest.device(), buffer.get(), got);
        left -= got;
        progress.setDone(size - left);
    }
    dest.commit();
}

} // namespace

QString extractedFileName(const FoundFont &font)
{
    return safeFileName(font.name) + QStringLiteral(".zgf");
}

bool ExtractFont(const QString &sourcePath, qint64 offset, qint32 size, const QString &destPath, Feedback &feedback,
                 Existing existing)
{
    QString failure;
    {
        BusyGuard busy(feedback);
        try {
            copyFont(sourcePath, offset, size, destPath, existing, feedback);
        } catch (const Failure &f) {
            failure = f.message();
        }
    }
    if (!failure.isEmpty()) {
        feedback.fail(failure);
        return false;
    }
    feedback.inform(QStringLiteral("ZGF font extracted correctly."));
    return true;
}
