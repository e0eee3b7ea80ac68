#pragma once

#include "resizerpanel.h"

#include <QString>

// The bar between the two panels of a Resizer: a panel with a background colour and the
// names that key its stored position.
class ResizerBar : public ResizerPanel
{
public:
    // The system colours the bar shows: button face at rest, button shadow while dragged.
    enum class Shade { Rest, Dragged };

    virtual void setShade(Shade shade) = 0;
    virtual QString name() const = 0;
    // The name of the window that holds the bar.
    virtual QString parentName() const = 0;
};
