#pragma once

#include <QObject>
#include <QPoint>

class ResizerBar;
class ResizerPanel;
class SettingsStore;

// A splitter: two panels side by side (vertical) or one above the other (horizontal)
// with a bar between them that the user drags to move the boundary. Sizes are in twips;
// the cursor is read in screen pixels at 15 twips per pixel. Each panel keeps at least
// its minimum size; when both minimums cannot be met, the second panel's wins. While
// dragged, the bar follows the pointer within those limits.
//
// Panels and bar are not owned; Release() or destruction forgets them.
class Resizer : public QObject
{
    Q_OBJECT

public:
    explicit Resizer(QObject *parent = nullptr);
    ~Resizer() override;

    // Smallest size of each panel, twips. Setting one raises it to the smallest size the
    // panel allows and enlarges the panel when it is smaller; throws Failure 5 before
    // InitHorizontal or InitVertical.
    qint32 FirstPanelMinSize() const { return mFirstMin; }
    void setFirstPanelMinSize(qint32 size);
    qint32 SecondPanelMinSize() const { return mSecondMin; }
    void setSecondPanelMinSize(qint32 size);

    // The first panel's current size (height when horizontal, width when vertical); 0
    // without panels.
    qint32 Position() const;

    // The bar lies between topPanel above and bottomPanel below; minimums become 15.
    void InitHorizontal(ResizerPanel *topPanel, ResizerBar *bar, ResizerPanel *bottomPanel);
    // The bar lies between leftPanel and rightPanel; minimums become 15.
    void InitVertical(ResizerPanel *leftPanel, ResizerBar *bar, ResizerPanel *rightPanel);
    // Ends a running drag and forgets the panels and the bar.
    void Release();

    // Fits the bar into the gap the owner left between the panels and enforces the
    // second panel's minimum. Does nothing without a bar.
    void Resize();
    // Moves the boundary so that the first (second) panel gets the size, within the limits.
    void ResizeFirstPanel(qint32 size);
    void ResizeSecondPanel(qint32 size);

    // Stores Position under "Resizer", key "<window>.<bar>.Position".
    void SavePosToRegistry(SettingsStore &store) const;
    // Restores the stored position (default: the current one).
    void SetPosFromRegistry(SettingsStore &store);

    // The bar's mouse, with the cursor's screen position in pixels.
    void MouseDown(QPoint cursor);
    void MouseMove(QPoint cursor);
    void MouseUp();
    bool isDragging() const { return mDragging; }
    bool isVertical() const { return mVertical; }

signals:
    // Before each boundary move: the first panel's proposed size, which a handler may
    // change (direct connections only).
    void QueryResize(qint32 &size);
    // After each boundary move: the first panel's new size.
    void Resized(qint32 FirstPanelWidth);
    // When a drag begins; a handler that sets cancel prevents it.
    void Started(bool &cancel);
    // When a drag ends.
    void Stoped();

private:
    void init(bool vertical, ResizerPanel *first, ResizerBar *bar, ResizerPanel *second);
    void setMinimum(ResizerPanel *panel, qint32 size, qint32 &minimum, bool first);
    qint32 sizeOf(const ResizerPanel &panel) const;
    void setSizeOf(ResizerPanel &panel, qint64 size);
    void moveBoundary(qint64 delta);
    QString registryKey() const;

    ResizerPanel *mFirst = nullptr;
    ResizerPanel *mSecond = nullptr;
    ResizerBar *mBar = nullptr;
    qint32 mFirstMin = 135;
    qint32 mSecondMin = 135;
    // The cursor and the first panel's size when the drag began.
    QPoint mDragCursor;
    qint32 mDragPosition = 0;
    bool mDragging = false;
    bool mBusy = false;
    bool mVertical = false;
};
