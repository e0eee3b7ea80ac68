#pragma once

#include "glypheditor.h"
#include "zoomview.h"

#include <QWidget>

// One image of the glyph editor around the current glyph, enlarged: the glyphs before and
// after it dimmed, its cell framed, the rows of the font's top and of its baseline marked,
// the pixel grid from GridZoom on. The mouse applies the editor's tool in the current cell;
// a click on a neighbour chooses it instead.
class GlyphCanvas : public QWidget
{
    Q_OBJECT

public:
    static constexpr QRgb CellColor = 0x1E5BD6;
    static constexpr QRgb TopColor = 0xE07800;
    static constexpr QRgb BaselineColor = 0xC800A0;

    GlyphCanvas(GlyphEditor &editor, GlyphEditor::Layer layer, QWidget *parent = nullptr);

    void setZoom(int zoom);
    // Takes the editor's current glyph and pixels again.
    void refresh();
    // The image pixel under a point of the widget.
    QPoint pixelAt(QPoint point) const;
    // The image pixels shown: the current glyph's cell and its neighbours', every row.
    QRect shownPixels() const;

    QSize sizeHint() const override;

signals:
    // The pixels, or the pencil's colour or level, may have changed.
    void edited();
    void glyphChosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    GlyphEditor &mEditor;
    GlyphEditor::Layer mLayer;
    int mZoom = 16;
    bool mStroking = false;
};

// The editor's whole glyph image, small, with the current glyph framed; a click chooses
// the glyph under it.
class GlyphStrip : public ZoomView
{
    Q_OBJECT

public:
    explicit GlyphStrip(GlyphEditor &editor, QWidget *parent = nullptr);

    // Takes the editor's pixels and current glyph again.
    void refresh();

signals:
    void glyphChosen(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    GlyphEditor &mEditor;
};
