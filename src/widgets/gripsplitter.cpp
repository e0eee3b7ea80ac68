#include "gripsplitter.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// Dots of 2 x 2 pixels, 4 pixels apart; the bar leaves a little room above and below them.
constexpr int GripDots = 9;
constexpr int DotSize = 2;
constexpr int DotPitch = 4;
constexpr int BarHeight = 8;

} // namespace

void paintGrip(QPainter &painter, const QRect &bar, const QPalette &palette)
{
    const int gripWidth = (GripDots - 1) * DotPitch + DotSize;
    const QPoint first(bar.left() + (bar.width() - gripWidth) / 2, bar.top() + (bar.height() - DotSize) / 2);
    // Raised dots: a light pixel over each dark one.
    for (int i = 0; i < GripDots; ++i) {
        const QPoint dot = first + QPoint(i * DotPitch, 0);
        painter.fillRect(QRect(dot, QSize(DotSize, DotSize)), palette.color(QPalette::Dark));
        painter.fillRect(QRect(dot, QSize(1, 1)), palette.color(QPalette::Light));
    }
}

GripHandle::GripHandle(QSplitter *parent) : QSplitterHandle(Qt::Vertical, parent)
{
    setAttribute(Qt::WA_Hover);
}

bool GripHandle::event(QEvent *event)
{
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave)
        update();
    return QSplitterHandle::event(event);
}

void GripHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette::ColorRole shade = mDragged ? QPalette::Dark : underMouse() ? QPalette::Highlight : QPalette::Button;
    painter.fillRect(rect(), palette().color(shade));
    paintGrip(painter, rect(), palette());
}

void GripHandle::mousePressEvent(QMouseEvent *event)
{
    mDragged = event->button() == Qt::LeftButton;
    update();
    QSplitterHandle::mousePressEvent(event);
}

void GripHandle::mouseReleaseEvent(QMouseEvent *event)
{
    mDragged = false;
    update();
    QSplitterHandle::mouseReleaseEvent(event);
}

GripSplitter::GripSplitter(QWidget *parent) : QSplitter(Qt::Vertical, parent)
{
    setHandleWidth(BarHeight);
}

QSplitterHandle *GripSplitter::createHandle()
{
    return new GripHandle(this);
}
