#include "widgetbar.h"

#include "gripsplitter.h"
#include "resizer.h"
#include "twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

QPoint screenPosition(QEvent *event)
{
    return static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
}

} // namespace

WidgetBar::WidgetBar(QWidget *bar, Resizer &resizer) : QObject(bar), mBar(bar), mResizer(resizer)
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
        : mHovered                                            ? QPalette::Highlight
                                                              : QPalette::Button;
    palette.setColor(QPalette::Window, palette.color(role));
    mBar->setPalette(palette);
}

void WidgetBar::paintGrip()
{
    QPainter painter(mBar);
    ::paintGrip(painter, mBar->rect(), mBar->palette());
}

bool WidgetBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mBar) {
        switch (event->type()) {
        case QEvent::MouseButtonPress: mResizer.MouseDown(screenPosition(event)); return true;
        case QEvent::MouseMove: mResizer.MouseMove(screenPosition(event)); return true;
        case QEvent::MouseButtonRelease: mResizer.MouseUp(); return true;
        case QEvent::Enter:
        case QEvent::Leave:
            mHovered = event->type() == QEvent::Enter;
            showShade();
            break;
        case QEvent::Paint: paintGrip(); return true;
        default: break;
        }
    }
    return QObject::eventFilter(watched, event);
}
