#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class QPainter;

// From this zoom on, a grid one screen pixel wide shows where each pixel begins.
inline constexpr int GridZoom = 4;
inline constexpr QColor GridColor{128, 128, 128, 96};

// The picture pixel under screen offset v of a picture shown at zoom, rounding down (also
// left of the picture).
inline int pixelUnder(int v, int zoom)
{
    return v >= 0 ? v / zoom : (v - zoom + 1) / zoom;
}

// Paints image with its top-left corner at origin, every pixel a zoom x zoom square with no
// smoothing. Only the pixels under exposed are scaled, so a wide strip at 8x costs no more
// than a small one.
void paintZoomed(QPainter &painter, const QImage &image, QPoint origin, int zoom, const QRect &exposed);
// From GridZoom on, draws the grid over the pixels of area (a zoomed picture from its
// top-left corner): a line of GridColor along the top and left edge of each pixel.
void paintPixelGrid(QPainter &painter, const QRect &area, int zoom, const QRect &exposed);

// Shows a picture with every pixel enlarged to zoom x zoom, without smoothing, from the
// top-left corner, with the pixel grid from GridZoom on.
class ZoomView : public QWidget
{
    Q_OBJECT

public:
    explicit ZoomView(QWidget *parent = nullptr);

    void setImage(const QImage &image);
    const QImage &image() const { return mImage; }
    // 1 to ZgfPictures::MaxZoom.
    void setZoom(int zoom);
    int zoom() const { return mZoom; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage mImage;
    int mZoom = 1;
};
