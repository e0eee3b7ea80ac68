#include "fileerrors.h"

#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

struct Cause
{
    qint32 number;
    QString reason;
};

Cause cause(qint32 number)
{
    return {number, failureDescription(number)};
}

Failure described(const Cause &c, const QFileDevice &file, const QString &text)
{
    if (!text.isEmpty())
        return Failure(c.number, text + QStringLiteral(": ") + c.reason);
    return Failure(c.number, c.reason + QStringLiteral(": ") + QDir::toNativeSeparators(file.fileName()));
}

} // namespace

Failure openFailure(const QFileDevice &file, const QString &text)
{
    const QFileInfo info(file.fileName());
    const auto why = [&]() -> Cause {
        if (file.error() == QFileDevice::ResourceError)
            return cause(Failure::DiskFull);
        if (!info.absoluteDir().exists())
            return cause(Failure::PathNotFound);
        if (file.error() == QFileDevice::PermissionsError)
            return cause(Failure::PermissionDenied);
        if (!info.exists() && !(file.openMode() & QIODevice::WriteOnly))
            return cause(Failure::FileNotFound);
        if (info.exists() ? !info.isReadable() || info.isDir() : !QFileInfo(info.absolutePath()).isWritable())
            return cause(Failure::PermissionDenied);
        return cause(Failure::PathFileAccess);
    };
    return described(why(), file, text);
}

Failure ioFailure(const QFileDevice &file, const QString &text)
{
    // The file size limit (ulimit -f) shows only in errno; the program ignores SIGXFSZ.
    if (errno == EFBIG)
        return described({Failure::DiskFull, QStringLiteral("File too large")}, file, text);
    if (file.error() == QFileDevice::ResourceError)
        return described(cause(Failure::DiskFull), file, text);
    if (file.error() == QFileDevice::PermissionsError || file.error() == QFileDevice::RenameError)
        return described(cause(Failure::PermissionDenied), file, text);
    return described(cause(Failure::DeviceIO), file, text);
}

Failure restated(const Failure &failure, const QString &text)
{
    return Failure(failure.number, text + QStringLiteral(": ") + failureDescription(failure.number));
}

void openForReading(QFile &file, const QString &path, QIODevice::OpenMode extra)
{
    file.setFileName(ordinaryPath(path));
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        throw Failure::runtime(Failure::PathFileAccess, QStringLiteral("%1 is not a regular file").arg(path));
    if (!file.open(QIODevice::ReadOnly | extra))
        throw openFailure(file);
}

void writeAll(QFileDevice &file, const char *data, qint64 size)
{
    errno = 0;
    if (file.write(data, size) != size)
        throw ioFailure(file);
}

void writeAll(QFileDevice &file, const QByteArray &data)
{
    writeAll(file, data.constData(), data.size());
}

void commitSaveFile(QSaveFile &file)
{
    errno = 0;
    // commit() renames a cut file into place when only its final flush fails.
    if (!file.flush()) {
        const Failure failure = ioFailure(file);
        file.cancelWriting();
        throw failure;
    }
    if (!file.commit())
        throw ioFailure(file);
}
