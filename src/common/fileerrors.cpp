#include "fileerrors.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QSaveFile>

Failure openFailure(const QFileDevice &file)
{
    const QString path = QDir::toNativeSeparators(file.fileName());
    const QFileInfo info(file.fileName());
    if (file.error() == QFileDevice::ResourceError)
        return Failure::runtime(Failure::DiskFull, path);
    if (!info.absoluteDir().exists())
        return Failure::runtime(Failure::PathNotFound, path);
    if (file.error() == QFileDevice::PermissionsError)
        return Failure::runtime(Failure::PermissionDenied, path);
    if (!info.exists() && !(file.openMode() & QIODevice::WriteOnly))
        return Failure::runtime(Failure::FileNotFound, path);
    if (info.exists() ? !info.isReadable() || info.isDir() : !QFileInfo(info.absolutePath()).isWritable())
        return Failure::runtime(Failure::PermissionDenied, path);
    return Failure::runtime(Failure::PathFileAccess, path);
}

Failure ioFailure(const QFileDevice &file)
{
    const QString path = QDir::toNativeSeparators(file.fileName());
    if (file.error() == QFileDevice::ResourceError)
        return Failure::runtime(Failure::DiskFull, path);
    if (file.error() == QFileDevice::PermissionsError || file.error() == QFileDevice::RenameError)
        return Failure::runtime(Failure::PermissionDenied, path);
    return Failure::runtime(Failure::DeviceIO, path);
}

void writeAll(QFileDevice &file, const char *data, qint64 size)
{
    if (file.write(data, size) != size)
        throw ioFailure(file);
}

void writeAll(QFileDevice &file, const QByteArray &data)
{
    writeAll(file, data.constData(), data.size());
}

void commitSaveFile(QSaveFile &file)
{
    // commit() renames a cut file into place when only its final flush fails.
    if (!file.flush()) {
        const Failure failure = ioFailure(file);
        file.cancelWriting();
        throw failure;
    }
    if (!file.commit())
        throw ioFailure(file);
}
