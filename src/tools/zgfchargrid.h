#pragma once

#include "zgffont.h"

#include <QImage>
#include <QWidget>

#include <optional>

// The character table of a ZGF font as a grid: one cell per character, in the font's
// order, showing its glyph at the zoom (drawn through the mask when the font has one) and
// its caption below. Cells wrap to the width. Hovering a cell describes the character in a
// tooltip and through hovered().
class ZgfCharGrid : public QWidget
{
    Q_OBJECT

public:
    explicit ZgfCharGrid(QWidget *parent = nullptr);

    // The font and its glyph image (ZgfPictures::glyphImage); nothing clears the grid.
    void setZgfFont(const std::optional<ZgfFont> &font, const QImage &glyphs);
    void setZoom(int zoom);

    int columns() const { return columnsFor(width()); }
    QSize cellSize() const;
    // The character index of the cell under the point; -1 outside every cell.
    int indexAt(const QPoint &point) const;
    QRect cellRect(int index) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

signals:
    // The character under the mouse, -1 when it leaves the cells.
    void hovered(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // What the grid shows of the character: its cell of the glyph image, drawn through the mask.
    static QImage cellImage(const ZgfFont &font, const QImage &glyphs, int index, QChar character);
    int columnsFor(int width) const;
    void setHovered(int index);

    std::optional<ZgfFont> mFont;
    QList<QImage> mCells;
    int mZoom = 1;
    int mWidest = 0;
    int mHovered = -1;
};
