#include "exportedsample.h"

#include "failure.h"
#include "feedback.h"
#include "outputfolder.h"
#include "postprocessnames.h"
#include "texelfont.h"
#include "zgfbuilder.h"
#include "zgfpictures.h"

#include <QFileInfo>

ExportedSample::Source ExportedSample::sourceOf(const TexelFont &font, const QString &folder)
{
    Source source;
    source.settings = ProjectRecord::fromDocument(font);
    // Neither changes a pixel of the font.
    source.settings.SampleText.clear();
    source.settings.Background.clear();
    source.chars = font.Chars();
    source.fontFile = font.FontFile();
    source.hinting = font.Hinting();
    source.smooth = font.Smooth();
    source.codePage = font.CodePage();
    const EditedBitmaps names = proposedEditedBitmaps(font);
    if (font.Postprocessed)
        source.bitmap = editedFile(names.bitmap, folder);
    if (font.Masked && !zgfMaskIsDrawn(font))
        source.mask = editedFile(names.mask, folder);
    return source;
}

ExportedSample::EditedFile ExportedSample::editedFile(const QString &name, const QString &folder)
{
    const QFileInfo info(resolvedOutputName(name, folder));
    EditedFile file{info.absoluteFilePath()};
    if (info.isFile()) {
        file.size = info.size();
        file.modified = info.lastModified();
    }
    return file;
}

QString ExportedSample::requiredEditedFile(const EditedFile &file, const QString &what)
{
    if (file.size < 0) {
        throw Failure(Failure::FileNotFound,
                      QStringLiteral("Preview as exported: the edited %1 %2 that the export would read is "
                                     "missing. Export the bitmaps for post-processing first, or turn "
                                     "Sample > Preview as exported off.")
                          .arg(what, file.path));
    }
    return file.path;
}

ZgfFont ExportedSample::build(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                              const Source &source)
{
    ZgfBuildInput input;
    input.rle = false; // the same pixels as RLE, read back faster
    if (font.Postprocessed)
        input.bitmapFileName = requiredEditedFile(source.bitmap, QStringLiteral("glyph bitmap"));
    // The console draws through the mask, so the sample does too.
    if (font.Masked && !zgfMaskIsDrawn(font))
        input.maskFileName = requiredEditedFile(source.mask, QStringLiteral("mask bitmap"));
    SilentFeedback silent;
    ZgfFont built = ZgfFont::read(buildZgfFile(font, measured, work, input, silent));
    built.setCodePage(source.codePage);
    return built;
}

QImage ExportedSample::draw(const TexelFont &font, const GlyphMeasurement &measured, Surface &work,
                            const QString &folder, const QImage &backdrop)
{
    Source source = sourceOf(font, folder);
    if (!mFont || source != *mSource) {
        mFont.reset();
        mSource.reset();
        mFont = build(font, measured, work, source);
        mSource = std::move(source);
        ++mBuilds;
    }
    return ZgfPictures::textImage(*mFont, font.SampleText, backdrop);
}
