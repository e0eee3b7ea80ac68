#pragma once

#include <QList>
#include <QObject>

class QAction;
class QComboBox;
class QMenu;
class QWidget;

// The zoom of a window's picture panes, in whole steps from 1x to a maximum: the actions
// Zoom in, Zoom out and Actual size (Ctrl++, Ctrl+-, Ctrl+0, active anywhere in the window),
// the levels as checkable menu items or as a combo box, and Ctrl+wheel over the panes it
// watches, one step a notch. The window connects zoomChanged() to its panes.
class ZoomControl : public QObject
{
    Q_OBJECT

public:
    // The actions are added to window, so their shortcuts work without a menu.
    ZoomControl(int maximum, QWidget *window);

    int zoom() const { return mZoom; }
    int maximum() const { return mMaximum; }
    // Clamped to 1..maximum; emits zoomChanged() when the zoom changes.
    void setZoom(int zoom);

    QAction *zoomInAction() const { return mZoomIn; }
    QAction *zoomOutAction() const { return mZoomOut; }
    QAction *actualSizeAction() const { return mActualSize; }

    // Adds the three actions, a separator and one checkable item per level.
    void addToMenu(QMenu *menu);
    // A combo box of the levels ("1x", "2x"...) named name, kept in step with the zoom.
    QComboBox *newComboBox(const QString &name, QWidget *parent);
    // Ctrl+wheel over the widget zooms; the wheel alone scrolls as before.
    void watch(QWidget *pane);

signals:
    void zoomChanged(int zoom);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showZoom();

    int mMaximum;
    int mZoom = 1;
    int mWheelAngle = 0;
    QAction *mZoomIn;
    QAction *mZoomOut;
    QAction *mActualSize;
    QList<QAction *> mLevels;
    QList<QComboBox *> mBoxes;
};
