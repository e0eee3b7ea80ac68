#include "striketext.h"

#include <QGlyphRun>
#include <QImage>
#include <QPainter>

#include <cmath>

StrikeText::StrikeText(const QByteArray &data, int pixels, bool emboldened, bool slanted)
    : mFont(data, pixels, QFont::PreferFullHinting), mPixels(pixels), mBold(emboldened), mItalic(slanted)
{
    mAscent = std::round(mFont.ascent());
    mDescent = std::round(mFont.descent());
}

QList<QPointF> StrikeText::positions(const QList<quint32> &glyphs, double *advance) const
{
    const QList<QPointF> advances = mFont.advancesForGlyphIndexes(glyphs);
    QList<QPointF> at;
    double x = 0;
    for (const QPointF &step : advances) {
        at.append(QPointF(x, 0));
        x += std::round(step.x()) + (mBold ? 1 : 0);
    }
    *advance = x;
    return at;
}

int StrikeText::slant(int rowsAbove) const
{
    return mItalic ? int(std::floor(rowsAbove / 4.0)) : 0;
}

double StrikeText::advance(const QString &text) const
{
    double width = 0;
    positions(mFont.glyphIndexesForString(text), &width);
    return width;
}

QRectF StrikeText::inkBounds(const QString &text) const
{
    const QList<quint32> glyphs = mFont.glyphIndexesForString(text);
    double width = 0;
    const QList<QPointF> at = positions(glyphs, &width);
    QRectF box;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QRectF glyph = mFont.boundingRect(glyphs[i]);
        if (!glyph.isEmpty())
            box |= glyph.translated(at[i]);
    }
    if (box.isEmpty())
        return box;
    // The rows from the baseline up: the top row is -top - 1 rows above it.
    const int top = int(std::floor(box.top())), bottom = int(std::ceil(box.bottom()));
    box.setLeft(box.left() + slant(-bottom));
    box.setRight(box.right() + slant(-top - 1) + (mBold ? 1 : 0));
    return box;
}

void StrikeText::draw(QImage &image, const QRect &visible, QPoint pen, const QString &text, QPainter &painter,
                      bool underline, bool strikeout) const
{
    const QList<quint32> glyphs = mFont.glyphIndexesForString(text);
    double width = 0;
    const QList<QPointF> at = positions(glyphs, &width);
    QRectF upright;
    for (qsizetype i = 0; i < glyphs.size(); ++i)
        upright |= mFont.boundingRect(glyphs[i]).translated(at[i]);
    const QRect box = upright.toAlignedRect().adjusted(-1, -1, 1, 1);
    if (!upright.isEmpty()) {
        QImage coverage(box.size(), QImage::Format_ARGB32_Premultiplied);
        coverage.fill(Qt::transparent);
        QPainter glyphPainter(&coverage);
        glyphPainter.setPen(Qt::white);
        QGlyphRun run;
        run.setRawFont(mFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(at);
        glyphPainter.drawGlyphRun(-QPointF(box.topLeft()), run);
        glyphPainter.end();
        const quint32 fore = painter.pen().color().rgb();
        for (int y = 0; y < box.height(); ++y) {
            const int row = box.top() + y; // from the baseline, -1 the row just above it
            const int targetY = pen.y() + row;
            if (targetY < visible.top() || targetY > visible.bottom())
                continue;
            const auto *covered = reinterpret_cast<const QRgb *>(coverage.constScanLine(y));
            auto *line = reinterpret_cast<quint32 *>(image.scanLine(targetY));
            const int shift = pen.x() + box.left() + slant(-row - 1);
            for (int x = 0; x < box.width(); ++x) {
                if (qAlpha(covered[x]) < 128)
                    continue;
                for (int targetX = x + shift; targetX <= x + shift + (mBold ? 1 : 0); ++targetX) {
                    if (targetX >= visible.left() && targetX <= visible.right())
                        line[targetX] = fore;
                }
            }
        }
    }
    if (!underline && !strikeout)
        return;
    // The lines as the renderer runs them under a font's text: flat ends, aliased, the
    // underline at least half a pixel inside the descent.
    const QPen old = painter.pen();
    QPen linePen = old;
    linePen.setWidthF(std::max(1.0, mFont.lineThickness()));
    linePen.setCapStyle(Qt::FlatCap);
    painter.setPen(linePen);
    painter.setClipRect(visible);
    const QLineF line(pen.x(), pen.y(), std::floor(pen.x() + width), pen.y());
    if (underline) {
        double offset = std::ceil(mFont.underlinePosition()) + 0.5;
        if (mFont.underlinePosition() <= mDescent)
            offset = std::min(offset, mDescent - 0.5);
        painter.drawLine(line.translated(0, offset));
    }
    if (strikeout)
        painter.drawLine(line.translated(0, -mAscent / 3.0));
    painter.setClipping(false);
    painter.setPen(old);
}
