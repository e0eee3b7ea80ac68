#pragma once

#include "zgfdraw.h"
#include "zgffont.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A text drawn with a ZGF font as a GP32 program draws it: through the console's own drawing
// library (device/zgfdraw), so what the program shows is by construction what the console
// shows. Lines break at CR LF, CR and LF; a character the font lacks, or that has no code in
// the font's code page (ZgfFont::codePage), draws nothing and advances by the default width plus the
// character separation. Masked fonts draw through their mask: a generic mask's level is each
// glyph pixel's opacity, a shadow mask puts every glyph's shadow under the glyphs.
class ZgfTextLayout
{
public:
    // Opens the font's bytes for drawing and measures the text. Throws Failure::InvalidFileFormat
    // with the library's reason when it refuses the font, and 6 Overflow when the text's box
    // would exceed 32767 pixels in either direction or 2^25 pixels in all.
    ZgfTextLayout(const ZgfFont &font, const QString &text);
    // The library's font points into mData and mIndex.
    ZgfTextLayout(const ZgfTextLayout &) = delete;
    ZgfTextLayout &operator=(const ZgfTextLayout &) = delete;

    // The box drawing at (0, 0) may touch: cells, advances and shadows right of and below it.
    int width() const { return mWidth; }
    int height() const { return mHeight; }

    // Draws the text at (0, 0) over pixels, width() x height() GP32 pixels row-major; other
    // sizes throw Failure 5.
    void draw(QList<quint16> &pixels) const;

private:
    QByteArray mData;
    QByteArray mText; // UTF-8
    QList<quint32> mIndex;
    const zgf_codepage *mCodePage;
    zgf_font mFont{};
    int mWidth = 0;
    int mHeight = 0;
};
