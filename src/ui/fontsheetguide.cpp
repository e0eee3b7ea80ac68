#include "fontsheetguide.h"

#include "surfaceview.h"

#include "characternotes.h"
#include "characters.h"
#include "failure.h"
#include "glyphmeasurement.h"
#include "texelfont.h"
#include "zgfbuilder.h"

#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

namespace {

// Long lists are cut in a tooltip; the export dialog and the command line name them all.
constexpr qsizetype TipLimit = 40;

} // namespace

FontSheetGuide::FontSheetGuide(SurfaceView *sheet) : QObject(sheet), mSheet(sheet)
{
    mSheet->installEventFilter(this);
}

void FontSheetGuide::update(const TexelFont &font, const GlyphMeasurement &measured,
                            const FontSheetPainter::Layout &layout, int zoom)
{
    mLayout = layout;
    mZoom = std::max(zoom, 1);
    mLine = charactersOf(TexelFont::glyphSequence(font.Chars()));
    mWidthInc = font.CharWidthInc;
    mFamily = font.fontLabel();
    mCodePage = font.CodePage();
    mUnencodable = unencodableCharacters(font.Chars(), mCodePage);
    mGlyphs = measured.glyphs;
    mMissing = measured.missing;
    showFrames();
}

void FontSheetGuide::clear()
{
    mLayout = {};
    mZoom = 1;
    mLine.clear();
    mGlyphs.clear();
    mMissing.clear();
    mUnencodable.clear();
    showFrames();
}

void FontSheetGuide::showFrames() const
{
    QList<SurfaceView::Frame> frames;
    const int height = mSheet->pixels().height();
    const QStringList missing = charactersOf(mMissing);
    const QStringList unencodable = charactersOf(mUnencodable);
    for (qsizetype i = 0; i + 1 < mLayout.edges.size() && i < mLine.size(); ++i) {
        const QString &c = mLine.at(i);
        const int left = mLayout.edges.at(i);
        const QRect cell(left, 0, std::max(mLayout.edges.at(i + 1) - left, 3), height);
        if (missing.contains(c))
            frames.append({cell, QColor(MissingColor), Qt::SolidLine});
        if (unencodable.contains(c))
            frames.append({cell.adjusted(1, 1, -1, -1), QColor(UnencodableColor), Qt::DashLine});
    }
    mSheet->setFrames(frames);
}

QString FontSheetGuide::summary() const
{
    QStringList lines;
    for (const QString &line :
         {missingGlyphsNote(mMissing, mFamily, TipLimit), unencodableNote(mUnencodable, mCodePage, TipLimit)}) {
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString FontSheetGuide::glyphFacts(qsizetype index) const
{
    const QString &c = mLine.at(index);
    const int code = codePageCode(mCodePage, codePointOf(c));
    const QString page = codePageName(mCodePage);
    QStringList lines{characterWithCode(c) + QStringLiteral(", ")
                      + (code < 0 ? QStringLiteral("no %1 code (written as \"?\")").arg(page)
                                  : QStringLiteral("%1 0x%2").arg(
                                      page, QString::number(code, 16).rightJustified(2, QLatin1Char('0')).toUpper()))};
    if (charactersOf(mMissing).contains(c))
        lines.append(QStringLiteral("Not in %1: drawn from another family, or not at all").arg(mFamily));
    if (index < mGlyphs.size()) {
        const Char &g = mGlyphs.at(index);
        lines.append(QStringLiteral("Advance: %1").arg(g.TextWidth));
        lines.append(
            g.hasInk()
                ? QStringLiteral("Ink box: %1 x %2 at (%3, %4)").arg(g.Width).arg(g.Height).arg(g.Left).arg(g.Top)
                : QStringLiteral("Ink box: none"));
        lines.append(QStringLiteral("Width in the font file: %1").arg(qint32(g.Width) + mWidthInc));
        lines.append(QStringLiteral("Indents: left %1, right %2").arg(g.Left).arg(g.rightIndent()));
    }
    return lines.join(QLatin1Char('\n'));
}

qsizetype FontSheetGuide::glyphAt(int x) const
{
    return x < 0 ? -1 : FontSheetPainter::glyphAt(mLayout, x / mZoom);
}

QString FontSheetGuide::toolTipAt(int x) const
{
    QStringList parts;
    const qsizetype index = glyphAt(x);
    if (index >= 0 && index < mLine.size())
        parts.append(glyphFacts(index));
    if (const QString lists = summary(); !lists.isEmpty())
        parts.append(lists);
    return parts.join(QStringLiteral("\n\n"));
}

bool FontSheetGuide::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != mSheet || event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const int x = help->pos().x() - mSheet->contentsRect().left();
    const QString tip = toolTipAt(x);
    if (tip.isEmpty()) {
        QToolTip::hideText();
        return true;
    }
    // The tip stays while the pointer is over the same glyph, and is asked again past it.
    const qsizetype index = glyphAt(x);
    const int from =
        mZoom * (index >= 0 ? mLayout.edges.at(index) : (mLayout.edges.isEmpty() ? 0 : mLayout.edges.last()));
    const int to = index >= 0 ? mZoom * mLayout.edges.at(index + 1) : mSheet->width();
    const QRect area(from, 0, to - from, mSheet->height());
    QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(tip, Qt::WhiteSpaceNormal), mSheet, area);
    return true;
}
