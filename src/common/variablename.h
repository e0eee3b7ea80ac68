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
// and "m" after it for a masked one: "timesNewRoman12b_pm". The result is repaired into a C
// identifier (repairedCIdentifier), so "8-Bit Font" at 8 points gives "_8_BitFont8".
QString composeVariableName(const VariableNameParts &parts);
// The same before the repair, as earlier versions derived and stored it: "8-BitFont8".
QString composeUnrepairedVariableName(const VariableNameParts &parts);

// A family as the font list names it, without the " [foundry]" tag the list adds when
// foundries share a family name: "Nimbus Sans [urw]" gives "Nimbus Sans". Names derived
// from a family start from this; the tag stays where it selects the font.
QString familyWithoutFoundry(const QString &listedFamily);
