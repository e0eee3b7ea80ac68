#include "glyphcanvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

constexpr QColor DimColor{40, 40, 40, 120};

void drawCellFrame(QPainter &painter, const QRect &cell, int zoom, QPoint origin)
{
    const QRect shown(origin + cell.topLeft() * zoom, cell.size() * zoom);
    painter.setPen(QPen(QColor(GlyphCanvas::CellColor), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(shown.adjusted(0, 0, -1, -1));
}

} // namespace

GlyphCanvas::GlyphCanvas(GlyphEditor &editor, GlyphEditor::Layer layer, QWidget *parent)
    : QWidget(parent), mEditor(editor), mLayer(layer)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GlyphCanvas::setZoom(int zoom)
{
    mZoom = std::max(zoom, 1);
    refresh();
}

void GlyphCanvas::refresh()
{
    updateGeometry();
    resize(sizeHint());
    update();
}

QRect GlyphCanvas::shownPixels() const
{
    const int index = mEditor.current();
    const QRect cell = mEditor.cell(mLayer, index);
    const QRect before = index > 0 ? mEditor.cell(mLayer, index - 1) : cell;
    const QRect after = index + 1 < mEditor.count() ? mEditor.cell(mLayer, index + 1) : cell;
    const int height = mEditor.image(mLayer).height();
    return QRect(QPoint(before.x(), 0), QPoint(std::max(after.x() + after.width(), before.x() + 1) - 1, height - 1));
}

QSize GlyphCanvas::sizeHint() const
{
    return shownPixels().size() * mZoom;
}

QPoint GlyphCanvas::pixelAt(QPoint point) const
{
    return QPoint(shownPixels().x() + pixelUnder(point.x(), mZoom), pixelUnder(point.y(), mZoom));
}

void GlyphCanvas::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.fillRect(exposed, palette().color(QPalette::Dark));
    const QRect shown = shownPixels();
    const QPoint origin(-shown.x() * mZoom, 0);
    paintZoomed(painter, mEditor.image(mLayer), origin, mZoom, exposed);
    const QRect cell = mEditor.cell(mLayer, mEditor.current());
    const int height = shown.height() * mZoom;
    painter.fillRect(QRect(0, 0, (cell.x() - shown.x()) * mZoom, height), DimColor);
    const int right = (cell.x() + cell.width() - shown.x()) * mZoom;
    painter.fillRect(QRect(right, 0, std::max(width() - right, 0), height), DimColor);
    paintPixelGrid(painter, rect(), mZoom, exposed);
    const std::pair<int, QRgb> rows[] = {{mEditor.topRow(mLayer), TopColor},
                                         {mEditor.baselineRow(mLayer), BaselineColor}};
    for (const auto &[row, color] : rows) {
        if (row >= 0)
            painter.fillRect(QRect(0, row * mZoom - 1, width(), 2), QColor(color));
    }
    drawCellFrame(painter, cell, mZoom, origin);
}

void GlyphCanvas::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pixel = pixelAt(event->position().toPoint());
    const int index = mEditor.glyphAt(mLayer, pixel.x());
    if (index >= 0 && index != mEditor.current()) {
        emit glyphChosen(index);
        return;
    }
    mStroking = true;
    mEditor.press(mLayer, pixel);
    update();
    emit edited();
}

void GlyphCanvas::mouseMoveEvent(QMouseEvent *event)
{
    if (!mStroking)
        return;
    mEditor.drag(pixelAt(event->position().toPoint()));
    update();
    emit edited();
}

void GlyphCanvas::mouseReleaseEvent(QMouseEvent *event)
{
    if (!mStroking || event->button() != Qt::LeftButton)
        return;
    mStroking = false;
    mEditor.release();
    update();
    emit edited();
}

GlyphStrip::GlyphStrip(GlyphEditor &editor, QWidget *parent) : ZoomView(parent), mEditor(editor)
{
    setCursor(Qt::PointingHandCursor);
}

void GlyphStrip::refresh()
{
    setImage(mEditor.image(GlyphEditor::Layer::Glyphs));
}

void GlyphStrip::paintEvent(QPaintEvent *event)
{
    ZoomView::paintEvent(event);
    QPainter painter(this);
    drawCellFrame(painter, mEditor.cell(GlyphEditor::Layer::Glyphs, mEditor.current()), zoom(), QPoint(0, 0));
}

void GlyphStrip::mousePressEvent(QMouseEvent *event)
{
    const int index = mEditor.glyphAt(GlyphEditor::Layer::Glyphs, int(event->position().x()) / zoom());
    if (index >= 0)
        emit glyphChosen(index);
}
