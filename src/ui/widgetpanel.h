#pragma once

#include "resizerpanel.h"

#include <QPointer>
#include <QWidget>

// A ResizerPanel over a widget: its geometry in its parent, in twips at 15 per pixel.
class WidgetPanel : public ResizerPanel
{
public:
    explicit WidgetPanel(QWidget *widget) : mWidget(widget) {}

    qint32 left() const override;
    qint32 top() const override;
    qint32 width() const override;
    qint32 height() const override;
    void move(qint32 left, qint32 top, qint32 width, qint32 height) override;

    QWidget *widget() const { return mWidget; }

private:
    QPointer<QWidget> mWidget;
};
