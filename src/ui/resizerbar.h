#pragma once

#include "resizerpanel.h"

// The bar between the two panels of a Resizer: a panel that shows whether it is dragged.
class ResizerBar : public ResizerPanel
{
public:
    // The system colours the bar shows: button face at rest, button shadow while dragged.
    enum class Shade { Rest, Dragged };

    virtual void setShade(Shade shade) = 0;
};
