#pragma once

#include <QImage>
#include <QWidget>

// Shows a picture with every pixel enlarged to zoom x zoom, without smoothing, from the
// top-left corner; only the part on screen is scaled, so a wide strip at 8x costs no more
// than a small one.
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
