#include "resizer.h"

#include "resizerbar.h"
#include "twips.h"

#include "failure.h"
#include "numbers.h"
#include "settingsstore.h"

#include <limits>

namespace {

qint32 saturated(qint64 value)
{
    return qint32(std::clamp<qint64>(value, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

const QString kSection = QStringLiteral("Resizer");

} // namespace

Resizer::Resizer(QObject *parent)
    : QObject(parent)
{
}

Resizer::~Resizer()
{
    Release();
}

void Resizer::InitHorizontal(ResizerPanel *topPanel, ResizerBar *bar, ResizerPanel *bottomPanel)
{
    init(false, topPanel, bar, bottomPanel);
}

void Resizer::InitVertical(ResizerPanel *leftPanel, ResizerBar *bar, ResizerPanel *rightPanel)
{
    init(true, leftPanel, bar, rightPanel);
}

void Resizer::init(bool vertical, ResizerPanel *first, ResizerBar *bar, ResizerPanel *second)
{
    Release();
    mVertical = vertical;
    mFirst = first;
    mBar = bar;
    mSecond = second;
    if (mBar)
        mBar->setShade(ResizerBar::Shade::Rest);
    Resize();
    setFirstPanelMinSize(15);
    setSecondPanelMinSize(15);
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

void Resizer::setSecondPanelMinSize(qint32 size)
{
    setMinimum(mSecond, size, mSecondMin, false);
}

void Resizer::setMinimum(ResizerPanel *panel, qint32 size, qint32 &minimum, bool first)
{
    if (!panel)
        throw Failure::runtime(Failure::InvalidCall);
    minimum = size;
    // A panel that cannot be made that small raises the minimum to what it allows.
    const qint32 current = sizeOf(*panel);
    setSizeOf(*panel, minimum);
    const qint32 smallest = sizeOf(*panel);
    if (smallest > minimum)
        minimum = smallest;
    setSizeOf(*panel, current);
    if (sizeOf(*panel) < minimum) {
        if (first)
            ResizeFirstPanel(minimum);
        else
            ResizeSecondPanel(minimum);
    }
}

qint32 Resizer::Position() const
{
    return mFirst ? sizeOf(*mFirst) : 0;
}

qint32 Resizer::sizeOf(const ResizerPanel &panel) const
{
    return mVertical ? panel.width() : panel.height();
}

void Resizer::setSizeOf(ResizerPanel &panel, qint64 size)
{
    if (mVertical)
        panel.move(panel.left(), panel.top(), saturated(size), panel.height());
    else
        panel.move(panel.left(), panel.top(), panel.width(), saturated(size));
}

void Resizer::ResizeFirstPanel(qint32 size)
{
    if (mFirst)
        moveBoundary(qint64(size) - sizeOf(*mFirst));
}

void Resizer::ResizeSecondPanel(qint32 size)
{
    if (mSecond)
        moveBoundary(qint64(sizeOf(*mSecond)) - size);
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

    const qint64 first = sizeOf(*mFirst);
    const qint64 second = sizeOf(*mSecond);
    if (first + delta < mFirstMin)
        delta = mFirstMin - first;
    if (second - delta < mSecondMin)
        delta = second - mSecondMin;
    if (delta == 0)
        return;

    // The handler's change is taken as it is, without a new limit check.
    qint32 proposed = saturated(first + delta);
    emit QueryResize(proposed);
    delta = qint64(proposed) - first;

    setSizeOf(*mFirst, first + delta);
    if (mBar) {
        if (mVertical)
            mBar->move(saturated(mBar->left() + delta), mBar->top(), mBar->width(), mBar->height());
        else
            mBar->move(mBar->left(), saturated(mBar->top() + delta), mBar->width(), mBar->height());
    }
    if (mVertical)
        mSecond->move(saturated(mSecond->left() + delta), mSecond->top(),
                      saturated(mSecond->width() - delta), mSecond->height());
    else
        mSecond->move(mSecond->left(), saturated(mSecond->top() + delta), mSecond->width(),
                      saturated(mSecond->height() - delta));
    emit Resized(sizeOf(*mFirst));
}

void Resizer::Resize()
{
    if (!mBar || !mFirst || !mSecond)
        return;
    if (mVertical) {
        const qint64 right = qint64(mFirst->left()) + mFirst->width();
        mBar->move(saturated(right), mFirst->top(), saturated(mSecond->left() - right),
                   mFirst->height());
    } else {
        const qint64 bottom = qint64(mFirst->top()) + mFirst->height();
        mBar->move(mFirst->left(), saturated(bottom), mFirst->width(),
                   saturated(mSecond->top() - bottom));
    }
    if (sizeOf(*mSecond) < mSecondMin)
        ResizeSecondPanel(mSecondMin);
}

QString Resizer::registryKey() const
{
    return mBar->parentName() + QLatin1Char('.') + mBar->name() + QStringLiteral(".Position");
}

void Resizer::SavePosToRegistry(SettingsStore &store) const
{
    if (mBar)
        store.save(kSection, registryKey(), QString::number(Position()));
}

void Resizer::SetPosFromRegistry(SettingsStore &store)
{
    if (!mBar)
        return;
    const QString text = store.get(kSection, registryKey(), QString::number(Position()));
    try {
        ResizeFirstPanel(roundToInt32(leadingNumber(text)));
    } catch (const Failure &) {
        // A stored number beyond 32 bits (edited by hand) leaves the boundary where it is.
    }
}

void Resizer::MouseDown(QPoint cursor)
{
    MouseUp();
    if (!mBar)
        return;
    bool cancel = false;
    emit Started(cancel);
    if (cancel)
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
    const qint64 moved = mVertical ? cursor.x() - mDragCursor.x() : cursor.y() - mDragCursor.y();
    moveBoundary(mDragPosition + moved * TwipsPerPixel - Position());
}

void Resizer::MouseUp()
{
    if (!mDragging)
        return;
    emit Stoped();
    if (mBar)
        mBar->setShade(ResizerBar::Shade::Rest);
    mDragging = false;
}
