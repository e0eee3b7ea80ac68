#pragma once

#include <QtGlobal>

// One of the two panels a Resizer divides: any element with a position and a size in
// twips that can be moved and sized in one operation.
class ResizerPanel
{
public:
    virtual ~ResizerPanel() = default;

    virtual qint32 left() const = 0;
    virtual qint32 top() const = 0;
    virtual qint32 width() const = 0;
    virtual qint32 height() const = 0;
    // Moves and sizes the element; an element that cannot be made that small keeps the
    // smallest size it allows, and reports that size afterwards.
    virtual void move(qint32 left, qint32 top, qint32 width, qint32 height) = 0;
};
