#include "widgetbar.h"

#include "resizer.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// The grip: dots of 2 x 2 pixels, 4 pixels apart, in the middle of the bar.
constexpr int GripDots = 9;
constexpr int DotSize = 2;
constexpr int DotPitch = 4;

QPoint screenPosition(QEvent *event)
{
    return static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
}

} // namespace

WidgetBar::WidgetBar(QWidget *bar, Resizer &resizer)
    : QObject(bar), mBar(bar), mResizer(resizer)
{
    mBar->setAutoFillBackground(true);
    mBar->setCursor(Qt::SplitVCursor);
    mBar->installEventFilter(this);
}

qint32 WidgetBar::left() const
{
    return mBar ? toTwips(mBar->x()) : 0;
}

qint32 WidgetBar::top() const
{
    return mBar ? toTwips(mBar->y()) : 0;
}

qint32 WidgetBar::width() const
{
    return mBar ? toTwips(mBar->width()) : 0;
}

qint32 WidgetBar::height() const
{
    return mBar ? toTwips(mBar->height()) : 0;
}

void WidgetBar::move(qint32 left, qint32 top, qint32 width, qint32 height)
{
    if (mBar)
        mBar->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void WidgetBar::setShade(Shade shade)
{
    mShade = shade;
    showShade();
}

void WidgetBar::showShade()
{
    if (!mBar)
        return;
    QPalette palette = mBar->palette();
    const QPalette::ColorRole role = mShade == Shade::Dragged ? QPalette::Dark
                                     : mHovered               ? QPalette::Highlight
                                                              : QPalette::Button;
    palette.setColor(QPalette::Window, palette.color(role));
    mBar->setPalette(palette);
}

void WidgetBar::paintGrip()
{
    QPainter painter(mBar);
    const int gripWidth = (GripDots - 1) * DotPitch + DotSize;
    const QPoint first((mBar->width() - gripWidth) / 2, (mBar->height() - DotSize) / 2);
    // Raised dots: a light pixel over each dark one.
    for (int i = 0; i < GripDots; ++i) {
        const QPoint dot = first + QPoint(i * DotPitch, 0);
        painter.fillRect(QRect(dot, QSize(DotSize, DotSize)), mBar->palette().color(QPalette::Dark));
        painter.fillRect(QRect(dot, QSize(1, 1)), mBar->palette().color(QPalette::Light));
    }
}

bool WidgetBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mBar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            mResizer.MouseDown(screenPosition(event));
            return true;
        case QEvent::MouseMove:
            mResizer.MouseMove(screenPosition(event));
            return true;
        case QEvent::MouseButtonRelease:
            mResizer.MouseUp();
            return true;
        case QEvent::Enter:
        case QEvent::Leave:
            mHovered = event->type() == QEvent::Enter;
            showShade();
            break;
        case QEvent::Paint:
            paintGrip();
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
