#include "zgfchargrid.h"

#include "failure.h"
#include "zgffacts.h"
#include "zgfpictures.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

namespace {

constexpr int Padding = 4;

} // namespace

QImage ZgfCharGrid::cellImage(const ZgfFont &font, const QImage &glyphs, int index, QChar character)
{
    const QRect cell(font.cellX(index), 0, font.charWidth(index), font.imageHeight());
    // A mask changes what the glyph image shows, so a masked glyph is the character drawn by
    // the library over the checker board, its cell cut out where the pen puts it. A glyph
    // pulled left of the start follows characters the font lacks, which only move the pen.
    // A character drawn as another (a repeated or unmapped code) keeps its raw cell, as does
    // every one of a font the library refuses.
    if (!font.hasMask() || cell.isEmpty() || font.indexOf(character) != index)
        return glyphs.copy(cell);
    const QChar missing(0xFFFD);
    const int advance = font.header().DefaultWidth + font.header().CharSep;
    QString text(character);
    int pen = font.leftIndent(index);
    while (pen < 0 && advance > 0 && font.indexOf(missing) < 0) {
        text.prepend(missing);
        pen += advance;
    }
    if (pen < 0)
        return glyphs.copy(cell);
    try {
        return ZgfPictures::textImage(font, text).copy(pen, 0, cell.width(), cell.height());
    } catch (const Failure &) {
        return glyphs.copy(cell); // the sample shows why the library refuses the font
    }
}

ZgfCharGrid::ZgfCharGrid(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ZgfCharGrid::setZgfFont(const std::optional<ZgfFont> &font, const QImage &glyphs)
{
    mFont = font;
    mCells.clear();
    mWidest = 0;
    if (mFont) {
        const QString characters = mFont->characters();
        for (int i = 0; i < mFont->count(); ++i) {
            mWidest = std::max(mWidest, mFont->charWidth(i));
            mCells.append(cellImage(*mFont, glyphs, i, characters.at(i)));
        }
    }
    mHovered = -1;
    updateGeometry();
    update();
}

void ZgfCharGrid::setZoom(int zoom)
{
    mZoom = std::clamp(zoom, 1, ZgfPictures::MaxZoom);
    updateGeometry();
    update();
}

QSize ZgfCharGrid::cellSize() const
{
    if (!mFont)
        return QSize();
    // Wide enough for the glyph and for a caption such as "U+0009".
    const int captionWidth = fontMetrics().horizontalAdvance(QStringLiteral("U+0000"));
    const int width = std::max(mWidest * mZoom, captionWidth) + 2 * Padding;
    const int height = mFont->imageHeight() * mZoom + fontMetrics().height() + 3 * Padding;
    return QSize(width, height);
}

int ZgfCharGrid::columnsFor(int width) const
{
    const QSize cell = cellSize();
    if (!mFont || cell.width() <= 0)
        return 1;
    return std::clamp(width / cell.width(), 1, std::max(mFont->count(), 1));
}

int ZgfCharGrid::heightForWidth(int width) const
{
    if (!mFont || mFont->count() == 0)
        return 0;
    const int rows = (mFont->count() + columnsFor(width) - 1) / columnsFor(width);
    return rows * cellSize().height();
}

QSize ZgfCharGrid::sizeHint() const
{
    const QSize cell = cellSize();
    const int width = cell.width() * std::min(mFont ? mFont->count() : 0, 16);
    return QSize(width, heightForWidth(width));
}

QRect ZgfCharGrid::cellRect(int index) const
{
    if (!mFont || index < 0 || index >= mFont->count())
        return QRect();
    const QSize cell = cellSize();
    const int perRow = columns();
    return QRect(QPoint((index % perRow) * cell.width(), (index / perRow) * cell.height()), cell);
}

int ZgfCharGrid::indexAt(const QPoint &point) const
{
    const QSize cell = cellSize();
    if (!mFont || point.x() < 0 || point.y() < 0 || cell.isEmpty())
        return -1;
    const int column = point.x() / cell.width();
    const int row = point.y() / cell.height();
    if (column >= columns())
        return -1;
    const int index = row * columns() + column;
    return index < mFont->count() ? index : -1;
}

bool ZgfCharGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = indexAt(help->pos());
        if (index >= 0)
            QToolTip::showText(help->globalPos(), ZgfFacts::character(*mFont, index), this, cellRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void ZgfCharGrid::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(indexAt(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void ZgfCharGrid::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void ZgfCharGrid::setHovered(int index)
{
    if (index == mHovered)
        return;
    const QRect old = cellRect(mHovered);
    mHovered = index;
    update(old);
    update(cellRect(mHovered));
    emit hovered(index);
}

void ZgfCharGrid::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    if (!mFont)
        return;
    const QSize cell = cellSize();
    const int glyphHeight = mFont->imageHeight() * mZoom;
    for (int i = 0; i < mFont->count(); ++i) {
        const QRect box = cellRect(i);
        if (!box.intersects(event->rect()))
            continue;
        if (i == mHovered)
            painter.fillRect(box, palette().color(QPalette::Highlight).lighter(170));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        const int width = mFont->charWidth(i) * mZoom;
        if (width > 0 && glyphHeight > 0) {
            painter.drawImage(QPoint(box.left() + (cell.width() - width) / 2, box.top() + Padding),
                              ZgfPictures::zoomed(mCells.at(i), mZoom));
        }
        painter.setPen(palette().color(QPalette::Text));
        const QRect caption(box.left(), box.top() + glyphHeight + 2 * Padding, cell.width(), fontMetrics().height());
        painter.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, ZgfFacts::caption(*mFont, i));
    }
}
