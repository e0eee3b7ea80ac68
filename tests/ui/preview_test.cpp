#include "fontsheetpainter.h"
#include "samplepainter.h"

#include "failure.h"
#include "testsurface.h"
#include "texelfont.h"

#include <QtTest>

namespace {

// The ink runs of one row as "first-last,first-last".
QString inkRuns(const Surface &surface, int row)
{
    QStringList runs;
    int start = -1;
    for (int x = 0; x <= surface.width(); ++x) {
        const bool ink = x < surface.width() && surface.pixel(x, row) != surface.backColor();
        if (ink && start < 0)
            start = x;
        if (!ink && start >= 0) {
            runs.append(QStringLiteral("%1-%2").arg(start).arg(x - 1));
            start = -1;
        }
    }
    return runs.join(QLatin1Char(','));
}

// The rows that hold ink in one column, as "first-last".
QString inkRows(const Surface &surface, int column)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < surface.height(); ++y) {
        if (surface.pixel(column, y) != surface.backColor()) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return QStringLiteral("%1-%2").arg(first).arg(last);
}

} // namespace

// Glyphs of the test surface: advance 6, ink 4 x 8 at (1, 3); a space advances 4; lines
// are 15 pixels, so DefaultHeight is 8 and LineSep 7.
class PreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void sampleSpacing_data();
    void sampleSpacing();
    void sampleLines_data();
    void sampleLines();
    void sampleLineAdvanceOverflowFails();
    void sheet_data();
    void sheet();
};

void PreviewTest::sampleSpacing_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("widthInc");
    QTest::addColumn<int>("sepExtra");
    QTest::addColumn<QString>("runs");

    QTest::newRow("glyphs side by side") << "AB" << "AB" << 0 << 0 << "1-4,7-10";
    QTest::newRow("outside the set: a space") << "AB" << "AxB" << 0 << 0 << "1-4,11-14";
    QTest::newRow("lone LF is a character") << "AB" << "A\nB" << 0 << 0 << "1-4,11-14";
    QTest::newRow("rows of the set count") << "A\r\nB" << "AB" << 0 << 0 << "1-4,7-10";
    QTest::newRow("increment 3: 1 before, 2 after") << "AB" << "AB" << 3 << 0 << "2-5,11-14";
    QTest::newRow("increment -3: -2 before, -1 after") << "AB" << " AB" << -3 << 10 << "10-13,23-26";
    QTest::newRow("extra separation after") << "AB" << "AB" << 0 << 2 << "1-4,9-12";
}

void PreviewTest::sampleSpacing()
{
    QFETCH(QString, chars);
    QFETCH(QString, sample);
    QFETCH(int, widthInc);
    QFETCH(int, sepExtra);
    QFETCH(QString, runs);

    TestSurface measuring;
    TexelFont font(&measuring);
    font.setChars(chars);
    font.SampleText = sample;
    font.CharWidthInc = qint16(widthInc);
    font.CharSepExtra = qint16(sepExtra);
    TestSurface pane;
    pane.setSize(60, 40);
    pane.setBackColor(0xFFFFFF);
    SamplePainter::draw(font, pane);
    QCOMPARE(inkRuns(pane, 5), runs);
}

void PreviewTest::sampleLines_data()
{
    QTest::addColumn<QString>("sample");
    QTest::addColumn<int>("lineSepExtra");
    QTest::addColumn<int>("heightInc");
    QTest::addColumn<QString>("secondLineRows");

    QTest::newRow("CR LF") << "A\r\nB" << 0 << 0 << "18-25";
    QTest::newRow("lone CR") << "A\rB" << 0 << 0 << "18-25";
    QTest::newRow("extra line separation") << "A\r\nB" << 5 << 0 << "23-30";
    QTest::newRow("height increment") << "A\r\nB" << 0 << 2 << "20-27";
    QTest::newRow("negative separation") << "A\r\nB" << -4 << 0 << "14-21";
}

void PreviewTest::sampleLines()
{
    QFETCH(QString, sample);
    QFETCH(int, lineSepExtra);
    QFETCH(int, heightInc);
    QFETCH(QString, secondLineRows);

    TestSurface measuring;
    TexelFont font(&measuring);
    font.setChars(QStringLiteral("AB"));
    font.SampleText = sample;
    font.LineSepExtra = qint16(lineSepExtra);
    font.CharHeightInc = qint16(heightInc);
    TestSurface pane;
    pane.setSize(20, 40);
    pane.setBackColor(0xFFFFFF);
    SamplePainter::draw(font, pane);

    // A on the first line, B below it at x 0: one ink box in column 2 each, rows apart.
    const QString column = inkRows(pane, 2);
    QCOMPARE(column.section(QLatin1Char('-'), 0, 0), QStringLiteral("3"));
    QCOMPARE(inkRuns(pane, secondLineRows.section(QLatin1Char('-'), 0, 0).toInt()), QStringLiteral("1-4"));
    QCOMPARE(column.section(QLatin1Char('-'), 1, 1), secondLineRows.section(QLatin1Char('-'), 1, 1));
}

void PreviewTest::sampleLineAdvanceOverflowFails()
{
    TestSurface measuring;
    TexelFont font(&measuring);
    font.SampleText = QStringLiteral("A\r\nB");
    font.LineSepExtra = 3000; // (8 + 7 + 3000) x 15 twips leaves 16 bits
    TestSurface pane;
    pane.setSize(20, 20);
    try {
        SamplePainter::draw(font, pane);
        QFAIL("no failure");
    } catch (const Failure &failure) {
        QCOMPARE(failure.number, Failure::Overflow);
    }
}

void PreviewTest::sheet_data()
{
    QTest::addColumn<QString>("chars");
    QTest::addColumn<int>("paneWidth");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("scrollable");
    QTest::addColumn<int>("scrollMaximum");
    QTest::addColumn<QString>("runs");
    QTest::addColumn<QList<int>>("edges");

    QTest::newRow("rows on one line") << "AB\r\nCD" << 10 << 24 << true << 14 << "1-4,7-10,13-16,19-22"
                                      << QList<int>{0, 6, 12, 18, 24};
    QTest::newRow("narrower than the pane") << "AB" << 30 << 30 << false << 0 << "1-4,7-10" << QList<int>{0, 6, 12};
    QTest::newRow("exactly the pane") << "AB\r\nCD" << 24 << 24 << false << 0 << "1-4,7-10,13-16,19-22"
                                      << QList<int>{0, 6, 12, 18, 24};
    QTest::newRow("empty set") << "" << 30 << 30 << false << 0 << "" << QList<int>{};
}

void PreviewTest::sheet()
{
    QFETCH(QString, chars);
    QFETCH(int, paneWidth);
    QFETCH(int, width);
    QFETCH(bool, scrollable);
    QFETCH(int, scrollMaximum);
    QFETCH(QString, runs);
    QFETCH(QList<int>, edges);

    TexelFont font;
    font.setChars(chars);
    font.TransColor = 0x00FF00;
    font.Color = 0x0000FF;
    TestSurface sheet;
    const FontSheetPainter::Layout layout = FontSheetPainter::draw(font, sheet, paneWidth, 12);
    QCOMPARE(layout.width, width);
    QCOMPARE(layout.scrollable, scrollable);
    QCOMPARE(layout.scrollMaximum, scrollMaximum);
    QCOMPARE(sheet.width(), width);
    QCOMPARE(sheet.height(), 12);
    QCOMPARE(sheet.backColor(), 0x00FF00);
    QCOMPARE(sheet.pixel(0, 0), 0x00FF00);
    QCOMPARE(inkRuns(sheet, 5), runs);
    if (!runs.isEmpty())
        QCOMPARE(sheet.pixel(1, 5), 0x0000FF);

    // The hit test finds each glyph over its whole cell, and nothing past the line.
    QCOMPARE(layout.edges, edges);
    for (qsizetype i = 0; i + 1 < edges.size(); ++i) {
        QCOMPARE(FontSheetPainter::glyphAt(layout, edges.at(i)), i);
        QCOMPARE(FontSheetPainter::glyphAt(layout, edges.at(i + 1) - 1), i);
    }
    QCOMPARE(FontSheetPainter::glyphAt(layout, edges.isEmpty() ? 0 : edges.last()), -1);
}

QTEST_GUILESS_MAIN(PreviewTest)
#include "preview_test.moc"
