#include "outputfile.h"

#include "failure.h"
#include "fileerrors.h"
#include "paths.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <memory>
#include <vector>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int CreateTries = 64;

bool noReplaceUnsupported(int error)
{
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Names the file without replacing one of that name: renameat2 where the file system
// has it, else a hard link; a file system with neither (some network and FAT file systems)
// gets a check before the rename, the best it allows. Returns 0 or an errno.
int linkWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (!noReplaceUnsupported(errno))
        return errno;
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return 0;
    }
    if (errno != EPERM && !noReplaceUnsupported(errno))
        return errno;
    struct stat existing;
    if (::lstat(to.constData(), &existing) == 0)
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

} // namespace

OutputFile::OutputFile(const QString &path, Existing existing) : mPath(path), mExisting(existing)
{
    mDevice.target = QDir::toNativeSeparators(path);
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::open(const QString &text)
{
    QString target = QFileInfo(ordinaryPath(mPath)).absoluteFilePath();
    // Replacing through a symbolic link replaces what it points to, not the link.
    if (mExisting == Existing::Replace && QFileInfo(target).isSymLink() && QFileInfo(target).exists())
        target = QFileInfo(target).canonicalFilePath();
    const QByteArray name = localFileName(target);
    const QByteArray folder = localFileName(QFileInfo(target).absolutePath());
    const long longestName = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (longestName > 0 && QFileInfo(target).fileName().toUtf8().size() > longestName)
        throw systemFailure(ENAMETOOLONG, mPath, text);

    // A read-only file is not replaced, though its folder would allow it.
    if (mExisting == Existing::Replace && ::access(name.constData(), W_OK) != 0 && errno == EACCES)
        throw systemFailure(EACCES, mPath, text);
    for (int i = 0; i < CreateTries && mDescriptor < 0; ++i) {
        mTemporary = folder + "/.texelsmithy-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        mDescriptor = ::open(mTemporary.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (mDescriptor < 0 && errno != EEXIST)
            break;
    }
    if (mDescriptor < 0) {
        const int error = errno;
        mTemporary.clear();
        throw systemFailure(error, mPath, text);
    }
    struct stat old;
    if (mExisting == Existing::Replace && ::stat(name.constData(), &old) == 0)
        ::fchmod(mDescriptor, old.st_mode & 07777);
    if (!mDevice.open(mDescriptor, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        throw systemFailure(EIO, mPath, text);
    mTarget = name;
}

void OutputFile::write(const QByteArray &bytes)
{
    writeAll(mDevice, bytes);
}

void OutputFile::finish()
{
    if (mFinished)
        return;
    errno = 0;
    if (!mDevice.flush())
        throw ioFailure(mDevice);
    // A full disk can show only now, on file systems that allocate late.
    if (::fsync(mDescriptor) != 0)
        throw systemFailure(errno, mPath);
    mFinished = true;
}

void OutputFile::commit()
{
    finish();
    mDevice.close();
    const int error = mExisting == Existing::Replace
        ? (::rename(mTemporary.constData(), mTarget.constData()) == 0 ? 0 : errno)
        : linkWithoutReplacing(mTemporary, mTarget);
    if (error == EEXIST && mExisting == Existing::Keep) {
        throw Failure(Failure::FileAlreadyExists,
                      QStringLiteral("%1: %2 appeared while it was written, and is left as it is")
                          .arg(failureDescription(Failure::FileAlreadyExists), QDir::toNativeSeparators(mPath)));
    }
    if (error != 0)
        throw systemFailure(error, mPath);
    ::close(mDescriptor);
    mDescriptor = -1;
    mTemporary.clear();
    mCommitted = true;
}

void OutputFile::discard()
{
    mDevice.close();
    if (mDescriptor >= 0)
        ::close(mDescriptor);
    mDescriptor = -1;
    if (!mTemporary.isEmpty())
        ::unlink(mTemporary.constData());
    mTemporary.clear();
}

void commitInOrder(const QList<OutputFile *> &files)
{
    for (OutputFile *file : files)
        file->finish();
    QStringList written;
    for (OutputFile *file : files) {
        try {
            file->commit();
        } catch (const Failure &failure) {
            throw afterWritten(failure, written);
        }
        written.append(QDir::toNativeSeparators(file->path()));
    }
}

Failure afterWritten(const Failure &failure, const QStringList &written)
{
    if (written.isEmpty())
        return failure;
    return Failure(
        failure.number,
        QStringLiteral("%1 (already written: %2)").arg(failure.description, written.join(QStringLiteral(", "))));
}

QStringList writeOutputs(const QList<Output> &outputs)
{
    std::vector<std::unique_ptr<OutputFile>> files;
    QList<OutputFile *> order;
    for (const Output &output : outputs) {
        files.push_back(std::make_unique<OutputFile>(output.path, output.existing));
        try {
            files.back()->open(output.createText);
        } catch (const Failure &failure) {
            if (output.createText.isEmpty())
                throw;
            throw OperationFailure(failure);
        }
        files.back()->write(output.bytes);
        verifyWritten(files.back()->device(), output.bytes);
        order.append(files.back().get());
    }
    commitInOrder(order);
    QStringList written;
    for (const Output &output : outputs)
        written.append(QFileInfo(ordinaryPath(output.path)).absoluteFilePath());
    return written;
}

void verifyWritten(QFileDevice &file, const QByteArray &meant)
{
    if (!file.flush())
        throw ioFailure(file);
    // The temporary file's own handle, read from its start; the output file writes only.
    QFile back;
    if (!back.open(file.handle(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle) || !back.seek(0))
        throw ioFailure(file);
    const QByteArray written = back.read(meant.size() + 1);
    if (back.error() != QFileDevice::NoError)
        throw ioFailure(file);
    if (written == meant)
        return;
    qsizetype at = 0;
    while (at < written.size() && at < meant.size() && written.at(at) == meant.at(at))
        ++at;
    throw Failure(Failure::DeviceIO,
                  QStringLiteral("Device I/O error: %1 did not read back as written "
                                 "(first difference at offset %2); the old file is kept.")
                      .arg(file.fileName())
                      .arg(at));
}
