#include "postprocessbitmaps.h"

#include "failure.h"
#include "feedback.h"
#include "paths.h"
#include "surface.h"
#include "measuredfont.h"
#include "texelfont.h"
#include "zgfbuilder.h"

#include <QFileInfo>

namespace {

// One image and its partial images: the partial ones first, the full one last. Adds the
// full path of each file written to written.
void writeImages(Surface &work, const PostprocessDraw &draw, const QString &path, int count, Existing full,
                 Existing partial, QStringList &written)
{
    const auto save = [&](const QString &name, Existing existing) {
        try {
            work.savePicture(name, existing);
        } catch (const Failure &failure) {
            throw afterWritten(failure, written);
        }
        written.append(QFileInfo(ordinaryPath(name)).absoluteFilePath());
    };
    if (count > 1) {
        for (int i = 1; i <= count; ++i) {
            draw(work, qint16(count), qint16(i));
            save(partialBitmapName(path, i), partial);
        }
    }
    draw(work, 1, 1);
    save(path, full);
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

PostprocessSource documentBitmaps(const TexelFont &font, const GlyphMeasurement &measured, Feedback &feedback)
{
    const MeasuredFont strips(font, measured);
    return {[strips](Surface &work, qint16 count, qint16 from) { strips.ZgfGenerateBitmap(work, count, from, false); },
            [strips](Surface &work, qint16 count, qint16 from) { strips.ZgfGenerateMask(work, count, from, false); },
            [&feedback](const QString &what, const QString &path) {
                return !QFileInfo::exists(ordinaryPath(path))
                    || feedback.ask(QStringLiteral("Overwrite ") + what + QStringLiteral(" ") + path + QStringLiteral("?"));
            }};
}

std::optional<QStringList> writePostprocessBitmaps(const TexelFont &font, Surface &work,
                                                   const PostprocessOptions &options,
                                                   const PostprocessSource &source, Feedback &feedback)
{
    const int count = std::clamp(options.count, 1, 32767);
    if (font.Masked && options.maskFileName.trimmed().isEmpty()) {
        throw Failure(Failure::InvalidCall,
                      QStringLiteral("The font has an alpha mask, but no mask bitmap file was given."));
    }
    refuseSharedFiles(postprocessFiles(font, options));
    refuseUndrawnFontFile(font, work);
    QStringList written;
    // A full image that exists is replaced once agreed to.
    const auto agreed = [&](const QString &what, const QString &path) -> std::optional<Existing> {
        const bool existed = QFileInfo::exists(ordinaryPath(path));
        if (!source.mayWrite(what, path))
            return std::nullopt;
        return existed ? Existing::Replace : options.existing;
    };
    const std::optional<Existing> glyphs = agreed(QStringLiteral("bitmap file"), options.bitmapFileName);
    if (!glyphs)
        return std::nullopt;
    {
        BusyGuard busy(feedback);
        writeImages(work, source.glyphs, options.bitmapFileName, count, *glyphs, options.existing, written);
    }
    if (font.Masked) {
        const std::optional<Existing> mask = agreed(QStringLiteral("alpha mask bitmap file"), options.maskFileName);
        if (!mask)
            return std::nullopt;
        BusyGuard busy(feedback);
        writeImages(work, source.mask, options.maskFileName, count, *mask, options.existing, written);
    }
    return written;
}

bool ExportPostprocessBitmaps(const TexelFont &font, Surface &work, const PostprocessOptions &options,
                              Feedback &feedback)
{
    QStringList written;
    try {
        const GlyphMeasurement measured = measureFont(font, work);
        const std::optional<QStringList> files =
            writePostprocessBitmaps(font, work, options, documentBitmaps(font, measured, feedback), feedback);
        if (!files)
            return false;
        written = *files;
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return false;
    }
    feedback.informWritten(QStringLiteral("Bitmap(s) generated correctly.\r\n"
                                          "Now it's time to use your favorite image processor to enhance the font."),
                           written);
    return true;
}
