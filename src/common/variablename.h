#pragma once

#include <QString>

// What a font's default C identifier is made of.
struct VariableNameParts
{
    QString name;
    qint64 points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool postprocessed = false;
    bool masked = false;
};

// The name without spaces, lower-cased when all upper case, first letter lower-cased,
// then the points and "b", "i", "u", "s" for the styles, "_p" for a post-processed font
// and "m" after it for a masked one: "timesNewRoman12b_pm".
QString composeVariableName(const VariableNameParts &parts);
