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
    QByteArray bytes =
        file.read(ProjectRecord::MaximumSize + ProjectExtension::HeaderSize + ProjectExtension::MaxLength + 1);
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    return bytes;
}

// What the person is told of a font file that is not drawn from (missing, not a regular file,
// or damaged), and what is drawn instead: empty when the file is drawn from.
QString undrawnFontFileNote(const TexelFont &font, Surface *surface)
{
    const QString file = QDir::toNativeSeparators(font.FontFile());
    if (!surface) {
        if (QFileInfo(font.FontFile()).isFile())
            return QString();
        return QStringLiteral("The font file %1 is missing, so the installed family %2 (or the default family) is "
                              "drawn in its place until the file is back or another font is chosen.")
            .arg(file, font.familyName());
    }
    try {
        surface->setFont(font.surfaceFont());
    } catch (const Failure &) {
        return QString(); // a size the renderer refuses is told where it is drawn
    }
    if (!surface->font().file.isEmpty())
        return QString();
    const QString state = QFileInfo(font.FontFile()).isFile() ? QStringLiteral("cannot be read")
        : QFileInfo::exists(font.FontFile())                  ? QStringLiteral("is no regular file")
                                                              : QStringLiteral("is missing");
    const QString drawn = surface->font().name;
    const QString instead = drawn.compare(font.familyName(), Qt::CaseInsensitive) == 0
        ? QStringLiteral("the installed %1 is drawn in its place").arg(drawn)
        : QStringLiteral("%1 is drawn in place of its family %2").arg(drawn, font.familyName());
    return QStringLiteral("The font file %1 %2, so %3 until the file is back or another font is chosen.")
        .arg(file, state, instead);
}

} // namespace

QByteArray TexelFont::projectBytes() const
{
    // A longer extension would read back as damaged, and its texts would be lost.
    const QByteArray extension = ProjectExtension::toBytes(*this, mFilename);
    const qsizetype length = extension.size() - ProjectExtension::HeaderSize;
    if (length > ProjectExtension::MaxLength) {
        throw Failure::overflow(length, 0, ProjectExtension::MaxLength,
                                QStringLiteral("the size in bytes of the project's texts"));
    }
    return ProjectRecord::fromDocument(*this).toBytes() + extension;
}

bool TexelFont::Save(Feedback &feedback, Existing existing)
{
    if (mFilename.isEmpty())
        return false;
    const bool overDamaged = !mDamagedProject.isEmpty()
        && QFileInfo(mFilename).absoluteFilePath() == QFileInfo(mDamagedProject).absoluteFilePath();
    if (overDamaged && !feedback.ask(mDamage + QStringLiteral(" Replace the file with the project as loaded?")))
        return false;
    try {
        writeProject(mFilename, projectBytes(), existing);
        if (overDamaged)
            mDamagedProject.clear();
        return true;
    } catch (const Failure &failure) {
        feedback.fail(failure.message(), Feedback::Title::Application);
        return false;
    }
}

bool TexelFont::Load(const QString &path, Feedback &feedback, Surface *fontSurface)
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
        ProjectExtension::Damage damage;
        if (record.Version != 0)
            damage = ProjectExtension::applyTo(bytes.mid(record.size()), loaded, path);
        // Only an extension holds more: no window could measure or show it in reasonable time.
        checkGlyphCount(loaded.Chars(), ProjectRecord::CharsLength);
        loaded.setFilename(path);
        loaded.mDamagedProject = damage.isEmpty() ? QString() : path;
        loaded.mDamage = damage.isEmpty() ? QString() : damage.message(path);
        *this = std::move(loaded);
        if (!mDamage.isEmpty()) {
            feedback.inform(mDamage, Feedback::Title::Application);
        }
        const QString note = mFontFile.isEmpty() ? QString() : undrawnFontFileNote(*this, fontSurface);
        if (!note.isEmpty())
            feedback.inform(note, Feedback::Title::Application);
        return true;
    } catch (const Failure &failure) {
        feedback.fail(failure.message(), Feedback::Title::Application);
        return false;
    }
}
