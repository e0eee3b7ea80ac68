// TexelFont::Save and TexelFont::Load: the document's project file.

#include "texelfont.h"

#include "feedback.h"
#include "fileerrors.h"
#include "paths.h"
#include "projectrecord.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

Failure notSaved(const QString &path)
{
    return Failure(Failure::NotSaved, QStringLiteral("File %1 could not be saved.").arg(path));
}

// Writes beside the target and renames over it, so a failure leaves the old file whole.
void writeProject(const QString &path, const QByteArray &bytes)
{
    const QFileInfo target(ordinaryPath(path));
    if (target.exists() && !target.isFile())
        throw notSaved(path);
    QSaveFile file(target.filePath());
    if (!file.open(QIODevice::WriteOnly))
        throw openFailure(file);
    writeAll(file, bytes);
    // commit() reports success even when its own final flush failed, leaving a cut file.
    if (!file.flush())
        throw ioFailure(file);
    if (!file.commit())
        throw notSaved(path);
}

// At most one record's worth: any longer file is read no further.
QByteArray readProject(const QString &path)
{
    QFile file;
    openForReading(file, path);
    QByteArray bytes = file.read(ProjectRecord::MaximumSize);
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    return bytes;
}

} // namespace

bool TexelFont::Save(Feedback &feedback) const
{
    if (mFilename.isEmpty())
        return false;
    try {
        writeProject(mFilename, ProjectRecord::fromDocument(*this).toBytes());
        return true;
    } catch (const Failure &failure) {
        feedback.fail(failure.message(), Feedback::Title::Application);
        return false;
    }
}

bool TexelFont::Load(const QString &path, Feedback &feedback)
{
    if (path.isEmpty())
        return false;
    try {
        const ProjectRecord record = ProjectRecord::fromBytes(readProject(path), path);
        // A setter may still fail on loaded values (a Size the names cannot hold), so the
        // record goes into a copy that replaces this document only when all of it applied.
        TexelFont loaded(*this);
        record.applyTo(loaded);
        loaded.setFilename(path);
        *this = std::move(loaded);
        return true;
    } catch (const Failure &failure) {
        feedback.fail(failure.message(), Feedback::Title::Application);
        return false;
    }
}
