#pragma once

#include "glyphmeasurement.h"
#include "rastersurface.h"
#include "texelfont.h"

#include <optional>

class DocumentOptions;
struct CommandEnvironment;

// The document a command works on: a project file, or the new-document defaults when no
// path is given, with the document options applied. It measures on one Qt raster surface
// and draws its images on another, as the main window and the export dialog do.
class CommandDocument
{
public:
    // Starts the GUI layer. A project that cannot be loaded has been reported when this
    // throws CommandFailure (with no message of its own); a character set no font holds
    // throws Failure 6 before any glyph is measured.
    CommandDocument(CommandEnvironment &environment, const QString &projectPath, const DocumentOptions &options);
    CommandDocument(const CommandDocument &) = delete;
    CommandDocument &operator=(const CommandDocument &) = delete;

    TexelFont &font() { return mFont; }
    // The document's glyphs measured as it is now: kept, measured again after a change.
    const GlyphMeasurement &measurement();
    Surface &work() { return *mWork; }

private:
    std::optional<RasterSurface> mMeasure;
    std::optional<RasterSurface> mWork;
    TexelFont mFont;
    GlyphMeasurement mMeasured;
};
