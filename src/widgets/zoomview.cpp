#include "zoomview.h"

#include "failure.h"
#include "zgfpictures.h"

#include <QPaintEvent>
#include <QPainter>

void paintZoomed(QPainter &painter, const QImage &image, QPoint origin, int zoom, const QRect &exposed)
{
    if (image.isNull())
        return;
    // The source pixels under the exposed area, widened to whole pixels.
    const QRect local = exposed.translated(-origin);
    const QRect source = QRect(QPoint(pixelUnder(local.left(), zoom), pixelUnder(local.top(), zoom)),
                               QPoint(pixelUnder(local.right(), zoom), pixelUnder(local.bottom(), zoom)))
                             .intersected(image.rect());
    if (source.isEmpty())
        return;
    painter.drawImage(origin + source.topLeft() * zoom, ZgfPictures::zoomed(image.copy(source), zoom));
}

void paintPixelGrid(QPainter &painter, const QRect &area, int zoom, const QRect &exposed)
{
    if (zoom < GridZoom)
        return;
    const QRect shown = area.intersected(exposed);
    if (shown.isEmpty())
        return;
    // The first grid line at or after the shown area's edge.
    const auto firstLine = [zoom](int start, int from) { return start + (from - start + zoom - 1) / zoom * zoom; };
    for (int x = firstLine(area.left(), shown.left()); x <= shown.right(); x += zoom)
        painter.fillRect(QRect(x, shown.top(), 1, shown.height()), GridColor);
    for (int y = firstLine(area.top(), shown.top()); y <= shown.bottom(); y += zoom)
        painter.fillRect(QRect(shown.left(), y, shown.width(), 1), GridColor);
}

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
    paintZoomed(painter, mImage, QPoint(0, 0), mZoom, event->rect());
    paintPixelGrid(painter, QRect(QPoint(0, 0), sizeHint()), mZoom, event->rect());
}
