#pragma once

#include "hinting.h"
#include "projectrecord.h"
#include "zgffont.h"

#include <QDateTime>
#include <QImage>

#include <optional>

class Surface;
class TexelFont;
struct GlyphMeasurement;

// The sample text as the console will show it: the document is built into the ZGF file
// that the export would write, the file is read back, and the sample is drawn through the
// console's drawing library, so every pixel has the 5-bit levels of the GP32. A smooth
// font's drawn mask goes with it, each pixel at the opacity of its level.
//
// The font read back is kept until a setting of the document or the edited bitmap
// changes, so redrawing the sample for a new text or pane size costs only the layout.
class ExportedSample
{
public:
    // The drawn sample of the document measured as measured, over backdrop (the pane's background picture; white where it ends),
    // RGB32. The glyph image is rendered on work or, for a post-processed font, read from the
    // edited bitmap the export proposes in folder (the output folder of the windows). Throws a Failure saying what stands in
    // the way: a missing edited bitmap, a value that does not fit its field, a text too
    // large to draw.
    QImage draw(const TexelFont &font, const GlyphMeasurement &measured, Surface &work, const QString &folder,
                const QImage &backdrop = QImage());

    // How many times the font was built, for telling a rebuild from a kept font.
    int builds() const { return mBuilds; }

private:
    // An edited picture the export would read, as it is on disk (size -1: missing).
    struct EditedFile
    {
        QString path;
        qint64 size = -1;
        QDateTime modified;

        bool operator==(const EditedFile &) const = default;
    };
    static EditedFile editedFile(const QString &name, const QString &folder);
    static QString requiredEditedFile(const EditedFile &file, const QString &what);

    // What the built font depends on.
    struct Source
    {
        ProjectRecord settings;
        // What the record does not hold, or holds cut.
        QString chars;
        QString fontFile;
        Hinting hinting = Hinting::Full;
        bool smooth = false;
        CodePage codePage = CodePage::Windows1252;
        EditedFile bitmap; // a post-processed font's glyph image
        EditedFile mask;   // a masked font's mask, unless it is drawn

        bool operator==(const Source &) const = default;
    };

    static Source sourceOf(const TexelFont &font, const QString &folder);
    static ZgfFont build(const TexelFont &font, const GlyphMeasurement &measured, Surface &work, const Source &source);

    std::optional<Source> mSource;
    std::optional<ZgfFont> mFont;
    int mBuilds = 0;
};
