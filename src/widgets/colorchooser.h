#pragma once

#include "surface.h"

#include <optional>

class QWidget;

// How a dialog asks the person for a colour: the program shows the colour dialog, tests
// answer from a script.
class ColorChooser
{
public:
    virtual ~ColorChooser() = default;

    // The colour chosen in a colour dialog opened on current; nothing when cancelled.
    virtual std::optional<Color> chooseColor(QWidget *parent, Color current);
};
