#include "colorswatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(bool clickable, QWidget *parent) : QFrame(parent), mClickable(clickable)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setFocusPolicy(clickable ? Qt::TabFocus : Qt::NoFocus);
    if (clickable)
        setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setColor(Color color)
{
    mColor = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        QColor fill = QColor::fromRgb(pixelFromColor(mColor));
        // A disabled swatch is drawn faded, like the other controls of a disabled frame.
        if (!isEnabled())
            fill.setAlpha(80);
        painter.fillRect(contentsRect(), palette().color(QPalette::Window));
        painter.fillRect(contentsRect(), fill);
        if (hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
        }
    }
    QFrame::paintEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    if (mClickable && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent *event)
{
    if (mClickable && event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}
