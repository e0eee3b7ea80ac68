#include "zoomview.h"

#include "failure.h"
#include "zgfpictures.h"

#include <QPaintEvent>
#include <QPainter>

ZoomView::ZoomView(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ZoomView::setImage(const QImage &image)
{
    mImage = image;
    updateGeometry();
    resize(sizeHint());
    update();
}

void ZoomView::setZoom(int zoom)
{
    if (zoom < 1 || zoom > ZgfPictures::MaxZoom)
        throw Failure::runtime(Failure::InvalidCall);
    mZoom = zoom;
    updateGeometry();
    resize(sizeHint());
    update();
}

QSize ZoomView::sizeHint() const
{
    const qint64 width = qint64(mImage.width()) * mZoom;
    const qint64 height = qint64(mImage.height()) * mZoom;
    return QSize(int(qMin<qint64>(width, QWIDGETSIZE_MAX)), int(qMin<qint64>(height, QWIDGETSIZE_MAX)));
}

void ZoomView::paintEvent(QPaintEvent *event)
{
    if (mImage.isNull())
        return;
    QPainter painter(this);
    // The source pixels under the exposed area, widened to whole pixels.
    const QRect exposed = event->rect();
    const QRect source = QRect(QPoint(exposed.left() / mZoom, exposed.top() / mZoom),
                               QPoint(exposed.right() / mZoom, exposed.bottom() / mZoom))
                             .intersected(mImage.rect());
    if (source.isEmpty())
        return;
    painter.drawImage(QPoint(source.left() * mZoom, source.top() * mZoom),
                      ZgfPictures::zoomed(mImage.copy(source), mZoom));
}
