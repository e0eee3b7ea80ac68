#pragma once

#include "surface.h"

#include <QFrame>

// A colour shown as a framed patch. A swatch that is clickable emits clicked() on a left
// click, or on Space when it has the focus.
class ColorSwatch : public QFrame
{
    Q_OBJECT

public:
    explicit ColorSwatch(bool clickable, QWidget *parent = nullptr);

    Color color() const { return mColor; }
    void setColor(Color color);

    QSize sizeHint() const override { return {57, 21}; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Color mColor = 0;
    bool mClickable;
};
