#pragma once

#include <QList>
#include <QString>

class ZgfFont;

// What the viewer tells about a ZGF font, in words: the header's facts as labelled lines
// and the description of one character.
class ZgfFacts
{
public:
    struct Line
    {
        QString label;
        QString value;
    };

    // Face name, point size, flags spelled out, the coding and size of the glyph image and
    // of the mask, the character count, sizes, separations, colours and file layout.
    static QList<Line> of(const ZgfFont &font);

    // The character at index as a cell caption: itself, or a name for a space or a
    // control character ("space", "U+0009").
    static QString caption(const ZgfFont &font, int index);
    // The character, its code, its cell width and its indents, on one line.
    static QString character(const ZgfFont &font, int index);
};
