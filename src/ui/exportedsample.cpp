#include "exportedsample.h"

#include "failure.h"
#include "feedback.h"
#include "outputfolder.h"
#include "postprocessnames.h"
#include "texelfont.h"
#include "zgfbuilder.h"
#include "zgfpictures.h"
#include "zgftextlayout.h"

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
    if (font.Postprocessed) {
        const QFileInfo bitmap(resolvedOutputName(proposedBitmapFileName(font), folder));
        source.bitmap = bitmap.absoluteFilePath();
        if (bitmap.isFile()) {
            source.bitmapSize = bitmap.size();
            source.bitmapModified = bitmap.lastModified();
        }
    }
    return source;
}

ZgfFont ExportedSample::build(TexelFont &font, Surface &work, const Source &source)
{
    ZgfBuildInput input;
    input.rle = false; // the same pixels as RLE, read back faster
    if (font.Postprocessed) {
        if (source.bitmapSize < 0) {
            throw Failure(Failure::FileNotFound,
                          QStringLiteral("Preview as exported: the edited glyph bitmap %1 that the export "
                                         "would read is missing. Export the bitmaps for post-processing "
                                         "first, or turn Sample > Preview as exported off.")
                              .arg(source.bitmap));
        }
        input.bitmapFileName = source.bitmap;
    }
    // Measured once here, so that the copy below does not measure again.
    font.measure();
    // The text is drawn from the glyph image alone, unless the mask is drawn with it (see
    // zgfMaskIsDrawn); an edited mask would only cost its bitmap.
    TexelFont glyphsOnly = font;
    if (!zgfMaskIsDrawn(font))
        glyphsOnly.Masked = false;
    SilentFeedback silent;
    return ZgfFont::read(buildZgfFile(glyphsOnly, work, input, silent));
}

QImage ExportedSample::draw(TexelFont &font, Surface &work, const QString &folder)
{
    Source source = sourceOf(font, folder);
    if (!mFont || source != *mSource) {
        mFont.reset();
        mSource.reset();
        mFont = build(font, work, source);
        mSource = std::move(source);
        ++mBuilds;
    }
    return ZgfPictures::transparentImage(ZgfTextLayout(*mFont, font.SampleText).render(true));
}
