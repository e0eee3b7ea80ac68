#pragma once

#include "surface.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QList>

#include <optional>

// Shows the pixels of a drawing surface from the top-left corner of its contents, at their
// own size or enlarged (every pixel a square, with the pixel grid from GridZoom on),
// optionally over a background picture, with one colour of the pixels keyed out so the
// picture shows through. A message, when set, replaces the pixels.
class SurfaceView : public QFrame
{
    Q_OBJECT

public:
    explicit SurfaceView(QWidget *parent = nullptr);

    // The pixels to show; the key colour, when given, is left transparent.
    void setPixels(const QImage &pixels, std::optional<Color> key = std::nullopt);
    const QImage &pixels() const { return mPixels; }

    void setBackgroundPicture(const QImage &picture);
    void clearBackgroundPicture();
    const QImage &backgroundPicture() const { return mBackground; }

    // Every pixel shown as zoom x zoom screen pixels (1 to 8); the picture too.
    void setZoom(int zoom);
    int zoom() const { return mZoom; }

    // Thin frames drawn over the pixels, in pixel coordinates (marks on the font sheet).
    struct Frame
    {
        QRect rect;
        QColor color;
        Qt::PenStyle style = Qt::SolidLine;
    };
    void setFrames(const QList<Frame> &frames);
    const QList<Frame> &frames() const { return mFrames; }

    // Shown instead of the pixels (a drawing that failed says why); empty to clear.
    void setMessage(const QString &message);
    QString message() const { return mMessage; }

    // What the view shows, as one image of its contents' size.
    QImage rendered() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintContents(QPainter &painter, const QRect &area, const QRect &exposed) const;

    QImage mPixels;
    QImage mLayer;
    QImage mBackground;
    QList<Frame> mFrames;
    QString mMessage;
    int mZoom = 1;
};
