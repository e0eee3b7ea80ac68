#pragma once

#include <QObject>
#include <QPoint>

class ResizerBar;
class ResizerPanel;

// A splitter: two panels one above the other with a bar between them that the user drags
// to move the boundary. Sizes are heights in twips; the pointer is read in screen pixels at
// 15 twips per pixel. Each panel keeps at least its minimum height; when both minimums
// cannot be met, the lower panel's wins. While dragged, the bar follows the pointer within
// those limits.
//
// Panels and bar are not owned; Release() or destruction forgets them.
class Resizer : public QObject
{
    Q_OBJECT

public:
    explicit Resizer(QObject *parent = nullptr);
    ~Resizer() override;

    // Smallest height of the upper panel, twips. Setting it raises it to the smallest height
    // the panel allows and enlarges the panel when it is smaller; throws Failure 5 before
    // InitHorizontal.
    void setFirstPanelMinSize(qint32 size);

    // The upper panel's current height; 0 without panels.
    qint32 Position() const;

    // The bar lies between topPanel above and bottomPanel below; minimums become 15.
    void InitHorizontal(ResizerPanel *topPanel, ResizerBar *bar, ResizerPanel *bottomPanel);
    // Ends a running drag and forgets the panels and the bar.
    void Release();

    // Fits the bar into the gap the owner left between the panels and enforces the lower
    // panel's minimum. Does nothing without a bar.
    void Resize();
    // Moves the boundary so that the upper panel gets the height, within the limits.
    void ResizeFirstPanel(qint32 size);

    // The bar's mouse, with the pointer's screen position in pixels as the event gave it.
    void MouseDown(QPoint cursor);
    void MouseMove(QPoint cursor);
    void MouseUp();

signals:
    // After each boundary move: the upper panel's new height.
    void Resized(qint32 FirstPanelWidth);

private:
    void setMinimum(ResizerPanel *panel, qint32 size, qint32 &minimum, bool first);
    void ResizeSecondPanel(qint32 size);
    void moveBoundary(qint64 delta);

    ResizerPanel *mFirst = nullptr;
    ResizerPanel *mSecond = nullptr;
    ResizerBar *mBar = nullptr;
    qint32 mFirstMin = 135;
    qint32 mSecondMin = 135;
    // The pointer and the upper panel's height when the drag began.
    QPoint mDragCursor;
    qint32 mDragPosition = 0;
    bool mDragging = false;
    bool mBusy = false;
};
