#pragma once

#include "resizerbar.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

class Resizer;

// Drives a Resizer from a bar widget: the bar's mouse button and motion events, at the
// pointer's position each event gives, so a fast drag is followed as it went; gives the
// widget the bar's colours, a grip of dots in its middle, a resize pointer, and the highlight
// colour while the pointer is over it, so the bar can be found.
class WidgetBar : public QObject, public ResizerBar
{
    Q_OBJECT

public:
    WidgetBar(QWidget *bar, Resizer &resizer);

    qint32 left() const override;
    qint32 top() const override;
    qint32 width() const override;
    qint32 height() const override;
    void move(qint32 left, qint32 top, qint32 width, qint32 height) override;
    void setShade(Shade shade) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showShade();
    void paintGrip();

    QPointer<QWidget> mBar;
    Resizer &mResizer;
    Shade mShade = Shade::Rest;
    bool mHovered = false;
};
