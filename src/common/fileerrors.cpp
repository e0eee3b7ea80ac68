#include "fileerrors.h"

#include "paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <optional>

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

Failure described(const Cause &c, const QString &path, const QString &text)
{
    if (!text.isEmpty())
        return Failure(c.number, text + QStringLiteral(": ") + c.reason);
    return Failure(c.number, c.reason + QStringLiteral(": ") + QDir::toNativeSeparators(path));
}

Failure described(const Cause &c, const QFileDevice &file, const QString &text)
{
    return described(c, file.fileName(), text);
}

// The cause of a system error, where the program has a number of its own for it.
std::optional<Cause> causeOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return cause(Failure::DiskFull);
    case EFBIG: return Cause{Failure::DiskFull, QStringLiteral("File too large")};
    case ENAMETOOLONG: return Cause{Failure::PathFileAccess, QStringLiteral("File name too long")};
    default: return std::nullopt;
    }
}

} // namespace

Failure openFailure(const QFileDevice &file, const QString &text)
{
    const QFileInfo info(file.fileName());
    const auto why = [&]() -> Cause {
        if (errno == ENAMETOOLONG)
            return *causeOf(errno);
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
    // A full disk and the file size limit (ulimit -f; the program ignores SIGXFSZ) show
    // only in errno.
    if (const std::optional<Cause> c = causeOf(errno))
        return described(*c, file, text);
    if (file.error() == QFileDevice::ResourceError)
        return described(cause(Failure::DiskFull), file, text);
    if (file.error() == QFileDevice::PermissionsError || file.error() == QFileDevice::RenameError)
        return described(cause(Failure::PermissionDenied), file, text);
    return described(cause(Failure::DeviceIO), file, text);
}

Failure systemFailure(int error, const QString &path, const QString &text)
{
    if (const std::optional<Cause> c = causeOf(error))
        return described(*c, path, text);
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return described(cause(Failure::PermissionDenied), path, text);
    case ENOENT:
    case ENOTDIR: return described(cause(Failure::PathNotFound), path, text);
    case EISDIR: return described(cause(Failure::PathFileAccess), path, text);
    default: return described(cause(Failure::DeviceIO), path, text);
    }
}

bool isExactFileName(const QString &path)
{
    return !path.contains(QChar(0)) && QFile::decodeName(QFile::encodeName(path)) == path;
}

QByteArray localFileName(const QString &path)
{
    if (!isExactFileName(path)) {
        throw Failure(Failure::PathFileAccess,
                      QStringLiteral("%1: the name %2 holds characters no file name can hold")
                          .arg(failureDescription(Failure::PathFileAccess), QDir::toNativeSeparators(path)));
    }
    return QFile::encodeName(ordinaryPath(path));
}

Failure restated(const Failure &failure, const QString &text)
{
    return Failure(failure.number, text + QStringLiteral(": ") + failureDescription(failure.number));
}

void openForReading(QFile &file, const QString &path, QIODevice::OpenMode extra)
{
    localFileName(path);
    file.setFileName(ordinaryPath(path));
    const QFileInfo info(file.fileName());
    if (info.exists() && !info.isFile())
        throw Failure::runtime(Failure::PathFileAccess, QStringLiteral("%1 is not a regular file").arg(path));
    errno = 0;
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
