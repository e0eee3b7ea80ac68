#pragma once

#include <QtGlobal>

// The measurements of one glyph, in pixels (see measureFont).
struct Char
{
    qint16 Height = 0;     // rows from the first to the last ink row
    qint16 Left = 0;       // first ink column relative to the pen position; may be negative
    qint16 TextHeight = 0; // line height of the one-character text
    qint16 TextWidth = 0;  // advance width of the one-character text
    qint16 Top = 0;        // first ink row from the top of the text cell
    qint16 Width = 0;      // columns from the first to the last ink column

    bool hasInk() const { return Height >= 1; }
    // The space after the ink to the next pen position; may be negative.
    qint32 rightIndent() const { return qint32(TextWidth) - (qint32(Left) + Width); }
    friend bool operator==(const Char &, const Char &) = default;
};
