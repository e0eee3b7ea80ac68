// TexelFont::Save and TexelFont::Load: the document's project file.

#include "texelfont.h"

#include "feedback.h"
#include "fileerrors.h"
#include "outputfile.h"
#include "paths.h"
#include "projectextension.h"
#include "projectrecord.h"
#include "surface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

Failure notSaved(const QString &path)
{
    return Failure(Failure::NotSaved, QStringLiteral("File %1 could not be saved.").arg(path));
}

// A failure leaves the old file whole.
void writeProject(const QString &path, const QByteArray &bytes, Existing existing)
{
    const QFileInfo target(ordinaryPath(path));
    if (target.exists() && !target.isFile())
        throw notSaved(path);
    writeOutputs({{path, bytes, existing}});
}

// At most a record and the longest extension, and a byte more to tell that something follows
// even that: any longer file is read no further.
QByteArray readProject(const QString &path)
{
    QFile file;
    openForReading(file, path);
    QByteArray bytes = file.read(ProjectRecord::MaximumSize + ProjectExtension::HeaderSize
                                 + ProjectExtension::MaxLength + 1);
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    return bytes;
}

// What the person is told of a font file that is missing, and what is drawn instead: the
// installed family of the font's name, else the default family.
QString missingFontFileNote(const TexelFont &font, Surface *surface)
{
    QString instead;
    if (surface) {
        surface->setFont(font.surfaceFont());
        const QString drawn = surface->font().name;
        instead = drawn.compare(font.familyName(), Qt::CaseInsensitive) == 0
            ? QStringLiteral("the installed family %1").arg(drawn)
            : QStringLiteral("the default family %1, as no family %2 is installed").arg(drawn, font.familyName());
    } else {
        instead = QStringLiteral("the installed family %1, or the default family").arg(font.familyName());
    }
    return QStringLiteral("The font file %1 is missing: %2 is drawn instead. The project keeps the file's "
                          "name until another font is chosen.")
        .arg(QDir::toNativeSeparators(font.FontFile()), instead);
}

} // namespace

bool TexelFont::Save(Feedback &feedback, Existing existing) const
{
    if (mFilename.isEmpty())
        return false;
    try {
        // A longer extension would read back as damaged, and its texts would be lost.
        const QByteArray extension = ProjectExtension::toBytes(*this, mFilename);
        const qsizetype length = extension.size() - ProjectExtension::HeaderSize;
        if (length > ProjectExtension::MaxLength) {
            throw Failure::overflow(length, 0, ProjectExtension::MaxLength,
                                    QStringLiteral("the size in bytes of the project's texts"));
        }
        writeProject(mFilename, ProjectRecord::fromDocument(*this).toBytes() + extension, existing);
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
        const QByteArray bytes = readProject(path);
        const ProjectRecord record = ProjectRecord::fromBytes(bytes, path);
        // A setter may still fail on loaded values (a Size the names cannot hold), so the
        // record goes into a copy that replaces this document only when all of it applied.
        TexelFont loaded(*this);
        record.applyTo(loaded);
        QString fault;
        if (record.Version != 0) {
            fault = ProjectExtension::applyTo(bytes.mid(record.size()), loaded, path);
            if (!fault.isEmpty())
                ProjectExtension::applyTo(QByteArray(), loaded, path);
        }
        loaded.setFilename(path);
        *this = std::move(loaded);
        if (!fault.isEmpty()) {
            feedback.inform(QStringLiteral("The extension of the project file %1 is damaged (%2): the settings "
                                           "of its record were loaded without it.")
                                .arg(QDir::toNativeSeparators(path), fault),
                            Feedback::Title::Application);
        }
        if (!mFontFile.isEmpty() && !QFileInfo(mFontFile).isFile())
            feedback.inform(missingFontFileNote(*this, mSurface), Feedback::Title::Application);
        return true;
    } catch (const Failure &failure) {
        feedback.fail(failure.message(), Feedback::Title::Application);
        return false;
    }
}
