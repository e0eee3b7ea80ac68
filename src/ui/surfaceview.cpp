#include "surfaceview.h"

#include "zoomview.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

SurfaceView::SurfaceView(QWidget *parent) : QFrame(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::setPixels(const QImage &pixels, std::optional<Color> key)
{
    mPixels = pixels;
    mMessage.clear();
    if (key) {
        mLayer = pixels.convertToFormat(QImage::Format_ARGB32);
        const quint32 keyed = pixelFromColor(*key);
        for (int y = 0; y < mLayer.height(); ++y) {
            auto *row = reinterpret_cast<quint32 *>(mLayer.scanLine(y));
            for (int x = 0; x < mLayer.width(); ++x) {
                if (row[x] == keyed)
                    row[x] = 0;
            }
        }
    } else {
        mLayer = pixels;
    }
    update();
}

void SurfaceView::setBackgroundPicture(const QImage &picture)
{
    mBackground = picture;
    update();
}

void SurfaceView::clearBackgroundPicture()
{
    mBackground = QImage();
    update();
}

void SurfaceView::setZoom(int zoom)
{
    mZoom = std::clamp(zoom, 1, 8);
    update();
}

void SurfaceView::setFrames(const QList<Frame> &frames)
{
    mFrames = frames;
    update();
}

void SurfaceView::setMessage(const QString &message)
{
    mMessage = message;
    update();
}

QImage SurfaceView::rendered() const
{
    QImage image(contentsRect().size(), QImage::Format_RGB32);
    QPainter painter(&image);
    paintContents(painter, image.rect(), image.rect());
    return image;
}

void SurfaceView::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    paintContents(painter, contentsRect(), event->rect().intersected(contentsRect()));
}

void SurfaceView::paintContents(QPainter &painter, const QRect &area, const QRect &exposed) const
{
    painter.fillRect(exposed, Qt::white);
    if (!mMessage.isEmpty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(area.adjusted(8, 8, -8, -8), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, mMessage);
        return;
    }
    paintZoomed(painter, mBackground, area.topLeft(), mZoom, exposed);
    paintZoomed(painter, mLayer, area.topLeft(), mZoom, exposed);
    paintPixelGrid(painter, QRect(area.topLeft(), mLayer.size() * mZoom), mZoom, exposed);
    for (const Frame &frame : mFrames) {
        QPen pen(frame.color, 0, frame.style);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QRect shown(frame.rect.topLeft() * mZoom, frame.rect.size() * mZoom);
        painter.drawRect(shown.translated(area.topLeft()).adjusted(0, 0, -1, -1));
    }
}
