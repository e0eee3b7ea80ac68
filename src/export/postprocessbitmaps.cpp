#include "postprocessbitmaps.h"

#include "failure.h"
#include "feedback.h"
#include "paths.h"
#include "surface.h"
#include "measuredfont.h"
#include "texelfont.h"
#include "zgfbuilder.h"

#include <QFileInfo>

#include <optional>

namespace {

// One image and its partial images: the partial ones first, the full one last.
QList<Output> drawnImages(Surface &work, const PostprocessDraw &draw, const QString &path, int count, Existing existing)
{
    QList<Output> images;
    if (count > 1) {
        for (int i = 1; i <= count; ++i) {
            draw(work, qint16(count), qint16(i));
            images.append({partialBitmapName(path, i), work.pictureBytes(), existing});
        }
    }
    draw(work, 1, 1);
    images.append({path, work.pictureBytes(), existing});
    return images;
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

PostprocessSource documentBitmaps(const TexelFont &font, const GlyphMeasurement &measured)
{
    const MeasuredFont strips(font, measured);
    return {[strips](Surface &work, qint16 count, qint16 from) { strips.ZgfGenerateBitmap(work, count, from, false); },
            [strips](Surface &work, qint16 count, qint16 from) { strips.ZgfGenerateMask(work, count, from, false); }};
}

PostprocessBitmaps buildPostprocessBitmaps(const TexelFont &font, Surface &work, const PostprocessOptions &options,
                                           const PostprocessSource &source)
{
    const int count = std::clamp(options.count, 1, 32767);
    if (font.Masked && options.maskFileName.trimmed().isEmpty()) {
        throw Failure(Failure::InvalidCall,
                      QStringLiteral("The font has an alpha mask, but no mask bitmap file was given."));
    }
    refuseSharedFiles(postprocessFiles(font, options));
    refuseUndrawnFontFile(font, work);
    PostprocessBitmaps bitmaps;
    bitmaps.glyphs = drawnImages(work, source.glyphs, options.bitmapFileName, count, options.existing);
    if (font.Masked)
        bitmaps.mask = drawnImages(work, source.mask, options.maskFileName, count, options.existing);
    return bitmaps;
}

AgreedBitmaps agreedBitmaps(const PostprocessBitmaps &bitmaps, Feedback &feedback)
{
    AgreedBitmaps agreed;
    const std::pair<QList<Output>, QString> images[] = {{bitmaps.glyphs, QStringLiteral("bitmap file")},
                                                        {bitmaps.mask, QStringLiteral("alpha mask bitmap file")}};
    for (auto [files, what] : images) {
        if (files.isEmpty())
            continue;
        Output &full = files.last();
        if (QFileInfo::exists(ordinaryPath(full.path))) {
            if (!feedback.ask(QStringLiteral("Overwrite ") + what + QStringLiteral(" ") + full.path
                              + QStringLiteral("?"))) {
                agreed.complete = false;
                return agreed;
            }
            full.existing = Existing::Replace;
        }
        agreed.outputs += files;
    }
    return agreed;
}

bool ExportPostprocessBitmaps(const TexelFont &font, Surface &work, const PostprocessOptions &options,
                              Feedback &feedback)
{
    QStringList written;
    AgreedBitmaps agreed;
    try {
        std::optional<PostprocessBitmaps> bitmaps;
        {
            BusyGuard busy(feedback);
            bitmaps.emplace(
                buildPostprocessBitmaps(font, work, options, documentBitmaps(font, measureFont(font, work))));
        }
        agreed = agreedBitmaps(*bitmaps, feedback);
        BusyGuard busy(feedback);
        written = writeOutputs(agreed.outputs);
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return false;
    }
    if (!agreed.complete)
        return false;
    feedback.informWritten(QStringLiteral("Bitmap(s) generated correctly.\r\n"
                                          "Now it's time to use your favorite image processor to enhance the font."),
                           written);
    return true;
}
