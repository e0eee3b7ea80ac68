#include "resizer.h"

#include "resizerbar.h"
#include "twips.h"

#include "failure.h"

#include <limits>

namespace {

qint32 saturated(qint64 value)
{
    return qint32(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

void setHeight(ResizerPanel &panel, qint64 height)
{
    panel.move(panel.left(), panel.top(), panel.width(), saturated(height));
}

} // namespace

Resizer::Resizer(QObject *parent) : QObject(parent)
{
}

Resizer::~Resizer()
{
    Release();
}

void Resizer::InitHorizontal(ResizerPanel *topPanel, ResizerBar *bar, ResizerPanel *bottomPanel)
{
    Release();
    mFirst = topPanel;
    mBar = bar;
    mSecond = bottomPanel;
    if (mBar)
        mBar->setShade(ResizerBar::Shade::Rest);
    Resize();
    setFirstPanelMinSize(15);
    setMinimum(mSecond, 15, mSecondMin, false);
}

void Resizer::Release()
{
    MouseUp();
    mFirst = nullptr;
    mBar = nullptr;
    mSecond = nullptr;
}

void Resizer::setFirstPanelMinSize(qint32 size)
{
    setMinimum(mFirst, size, mFirstMin, true);
}

void Resizer::setMinimum(ResizerPanel *panel, qint32 size, qint32 &minimum, bool first)
{
    if (!panel)
        throw Failure::runtime(Failure::InvalidCall);
    minimum = size;
    // A panel that cannot be made that small raises the minimum to what it allows.
    const qint32 current = panel->height();
    setHeight(*panel, minimum);
    const qint32 smallest = panel->height();
    if (smallest > minimum)
        minimum = smallest;
    setHeight(*panel, current);
    if (panel->height() < minimum) {
        if (first)
            ResizeFirstPanel(minimum);
        else
            ResizeSecondPanel(minimum);
    }
}

qint32 Resizer::Position() const
{
    return mFirst ? mFirst->height() : 0;
}

void Resizer::ResizeFirstPanel(qint32 size)
{
    if (mFirst)
        moveBoundary(qint64(size) - mFirst->height());
}

void Resizer::ResizeSecondPanel(qint32 size)
{
    if (mSecond)
        moveBoundary(qint64(mSecond->height()) - size);
}

void Resizer::moveBoundary(qint64 delta)
{
    if (mBusy || !mFirst || !mSecond)
        return;
    mBusy = true;
    struct ClearBusy
    {
        bool &busy;
        ~ClearBusy() { busy = false; }
    } clearBusy{mBusy};

    const qint64 first = mFirst->height();
    const qint64 second = mSecond->height();
    if (first + delta < mFirstMin)
        delta = mFirstMin - first;
    if (second - delta < mSecondMin)
        delta = second - mSecondMin;
    if (delta == 0)
        return;

    setHeight(*mFirst, first + delta);
    if (mBar)
        mBar->move(mBar->left(), saturated(mBar->top() + delta), mBar->width(), mBar->height());
    mSecond->move(mSecond->left(), saturated(mSecond->top() + delta), mSecond->width(),
                  saturated(mSecond->height() - delta));
    emit Resized(mFirst->height());
}

void Resizer::Resize()
{
    if (!mBar || !mFirst || !mSecond)
        return;
    const qint64 bottom = qint64(mFirst->top()) + mFirst->height();
    mBar->move(mFirst->left(), saturated(bottom), mFirst->width(), saturated(mSecond->top() - bottom));
    if (mSecond->height() < mSecondMin)
        ResizeSecondPanel(mSecondMin);
}

void Resizer::MouseDown(QPoint cursor)
{
    MouseUp();
    if (!mBar)
        return;
    mDragging = true;
    mDragCursor = cursor;
    mDragPosition = Position();
    mBar->setShade(ResizerBar::Shade::Dragged);
}

void Resizer::MouseMove(QPoint cursor)
{
    if (!mDragging || !mFirst)
        return;
    // The boundary goes where the pointer is, relative to where the drag began: after a
    // move clamped at a limit the bar waits there and follows again once the pointer is
    // back in range.
    moveBoundary(mDragPosition + qint64(cursor.y() - mDragCursor.y()) * TwipsPerPixel - Position());
}

void Resizer::MouseUp()
{
    if (!mDragging)
        return;
    if (mBar)
        mBar->setShade(ResizerBar::Shade::Rest);
    mDragging = false;
}
