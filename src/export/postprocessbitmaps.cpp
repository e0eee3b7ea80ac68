#include "postprocessbitmaps.h"

#include "failure.h"
#include "feedback.h"
#include "paths.h"
#include "surface.h"
#include "texelfont.h"

#include <QFileInfo>

namespace {

using Draw = void (TexelFont::*)(Surface &, qint16, qint16, bool);

// One image and its partial images: the partial ones first, the full one last. Adds the
// full path of each file written to written.
void writeImages(TexelFont &font, Surface &work, Draw draw, const QString &path, int count, QStringList &written)
{
    const auto save = [&work, &written](const QString &name) {
        work.savePicture(name);
        written.append(QFileInfo(ordinaryPath(name)).absoluteFilePath());
    };
    if (count > 1) {
        for (int i = 1; i <= count; ++i) {
            (font.*draw)(work, qint16(count), qint16(i), false);
            save(partialBitmapName(path, i));
        }
    }
    (font.*draw)(work, 1, 1, false);
    save(path);
}

bool confirmOverwrite(const QString &path, const QString &what, Feedback &feedback)
{
    return !QFileInfo::exists(ordinaryPath(path))
        || feedback.ask(QStringLiteral("Overwrite ") + what + QStringLiteral(" ") + path + QStringLiteral("?"));
}

} // namespace

QString partialBitmapName(const QString &path, int index)
{
    return GetFolder(path) + GetFileNameNoExt(path) + QString::number(index) + QStringLiteral(".bmp");
}

QList<FileRole> postprocessFiles(const TexelFont &font, const PostprocessOptions &options)
{
    QList<FileRole> files{{QStringLiteral("the project file"), font.Filename(), false}};
    const auto addImages = [&](const QString &role, const QString &path) {
        for (int i = 1; options.count > 1 && i <= options.count; ++i)
            files.append({QStringLiteral("the partial %1 %2").arg(role).arg(i), partialBitmapName(path, i)});
        files.append({QStringLiteral("the ") + role, path});
    };
    addImages(QStringLiteral("bitmap file"), options.bitmapFileName);
    if (font.Masked)
        addImages(QStringLiteral("alpha mask bitmap file"), options.maskFileName);
    return files;
}

bool ExportPostprocessBitmaps(TexelFont &font, Surface &work, const PostprocessOptions &options,
                              Feedback &feedback)
{
    const int count = std::clamp(options.count, 1, 32767);
    QStringList written;
    try {
        if (font.Masked && options.maskFileName.trimmed().isEmpty()) {
            throw Failure(Failure::InvalidCall,
                          QStringLiteral("The font has an alpha mask, but no mask bitmap file was given."));
        }
        refuseSharedFiles(postprocessFiles(font, options));
        if (!confirmOverwrite(options.bitmapFileName, QStringLiteral("bitmap file"), feedback))
            return false;
        {
            BusyGuard busy(feedback);
            writeImages(font, work, &TexelFont::ZgfGenerateBitmap, options.bitmapFileName, count, written);
        }
        if (font.Masked) {
            if (!confirmOverwrite(options.maskFileName, QStringLiteral("alpha mask bitmap file"), feedback))
                return false;
            BusyGuard busy(feedback);
            writeImages(font, work, &TexelFont::ZgfGenerateMask, options.maskFileName, count, written);
        }
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return false;
    }
    feedback.informWritten(QStringLiteral("Bitmap(s) generated correctly.\r\n"
                                          "Now it's time to use your favorite image processor to enhance the font."),
                           written);
    return true;
}
