// The parts of the main window on their own: the splitter on fake panels, the text input
// dialog, and the sample drawn on the test surface.
#include "elidingcombobox.h"
#include "frmgettext.h"
#include "resizer.h"
#include "resizerbar.h"
#include "fontsheetpainter.h"
#include "samplepainter.h"

#include "failure.h"
#include "measuredfont.h"
#include "testsurface.h"
#include "texelfont.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

// The ink runs along row (or column) at, as "first-last,first-last".
QString inkRuns(const Surface &surface, int at, bool column = false)
{
    QStringList runs;
    const int length = column ? surface.height() : surface.width();
    int start = -1;
    for (int i = 0; i <= length; ++i) {
        const bool ink = i < length && (column ? surface.pixel(at, i) : surface.pixel(i, at)) != surface.backColor();
        if (ink && start < 0)
            start = i;
        if (!ink && start >= 0) {
            runs.append(u"%1-%2"_s.arg(start).arg(i - 1));
            start = -1;
        }
    }
    return runs.join(u',');
}

} // namespace

// A panel that records its geometry in twips.
struct FakePanel : ResizerBar
{
    explicit FakePanel(QRect box) : r(box) {}
    qint32 left() const override { return r.left(); }
    qint32 top() const override { return r.top(); }
    qint32 width() const override { return r.width(); }
    qint32 height() const override { return r.height(); }
    void move(qint32 left, qint32 top, qint32 width, qint32 height) override { r = QRect(left, top, width, height); }
    void setShade(Shade s) override { shade = s; }
    QRect r;
    Shade shade = Shade::Dragged;
};

// The upper panel 1000 twips, a 45-twip bar, the lower one up to 3000.
struct Stack
{
    Stack() { resizer.InitHorizontal(&first, &bar, &second); }
    FakePanel first{QRect(0, 0, 7590, 1000)}, bar{QRect(0, 1000, 7590, 45)}, second{QRect(0, 1045, 7590, 1955)};
    Resizer resizer;
};

// Typed: "\n" presses Return, "\r" Enter. Button: the cmdCommands index (0 "Ok", 1 "Cancel"), -1 the Esc key.
struct TextCase
{
    QString text;
    bool selectAll;
    QString typed;
    int button;
    QString expected;
};
Q_DECLARE_METATYPE(TextCase)

struct SampleCase
{
    QString chars, text;
    qint16 widthInc, sepExtra, lineSepExtra, heightInc;
    QString row5, column2;
};
Q_DECLARE_METATYPE(SampleCase)

struct DragCase
{
    qint32 firstMin;
    QList<int> moves, sizes;
};
Q_DECLARE_METATYPE(DragCase)

class PartsTest : public QObject
{
    Q_OBJECT

private slots:
    void drag_data()
    {
        QTest::addColumn<DragCase>("c");
        // Each move in pixels from where the mouse went down, and the upper panel's size after it.
        QTest::newRow("free move down") << DragCase{900, {10}, {1150}};
        QTest::newRow("-10 px from 1000, minimum 900") << DragCase{900, {-10}, {900}};
        // The bar follows the pointer again only once it is back past the limit.
        QTest::newRow("clamped, further, back in range")
            << DragCase{900, {-10, -20, -18, -6, -2}, {900, 900, 900, 910, 970}};
        QTest::newRow("lower minimum stops it") << DragCase{900, {200, 60}, {2940, 1900}};
        QTest::newRow("lower minimum wins over upper") << DragCase{3000, {0}, {2940}};
    }
    void drag()
    {
        QFETCH(DragCase, c);
        Stack s;
        s.resizer.setFirstPanelMinSize(c.firstMin);
        QSignalSpy resized(&s.resizer, &Resizer::Resized);
        QList<int> changes; // a Resized event for each change, none otherwise
        int size = s.first.height();
        s.resizer.MouseDown(QPoint(40, 300));
        QCOMPARE(s.bar.shade, ResizerBar::Shade::Dragged);
        for (qsizetype i = 0; i < c.moves.size(); ++i) {
            s.resizer.MouseMove(QPoint(47, 300 + c.moves.at(i))); // only y counts
            QCOMPARE(s.first.height(), c.sizes.at(i));
            if (c.sizes.at(i) != size)
                changes.append(c.sizes.at(i));
            size = c.sizes.at(i);
        }
        s.resizer.MouseUp();
        QCOMPARE(s.resizer.Position(), size);
        QCOMPARE(s.bar.top(), size);
        QCOMPARE(s.second.top(), size + 45);
        QCOMPARE(s.second.top() + s.second.height(), 3000);
        QCOMPARE(s.first.width(), 7590);
        QList<int> events;
        for (const QList<QVariant> &event : resized)
            events.append(event.at(0).toInt());
        QCOMPARE(events, changes);
        QCOMPARE(s.bar.shade, ResizerBar::Shade::Rest);
        s.resizer.MouseMove(QPoint(600, 600)); // no drag any more
        QCOMPARE(s.first.height(), size);
    }

    void getTextHandsBack_data()
    {
        QTest::addColumn<TextCase>("c");
        const QString rows = u"AB\r\nCD"_s;
        // 508 characters and one line break (two in CR LF form) leave room for two more.
        const QString full = QString(254, u'a') + u"\r\n"_s + QString(254, u'b');
        QTest::newRow("Ok unchanged keeps a lone LF") << TextCase{u"A\nB\r\nC"_s, false, {}, 0, u"A\nB\r\nC"_s};
        QTest::newRow("Ok after typing") << TextCase{rows, false, u"X"_s, 0, u"AB\r\nCDX"_s};
        QTest::newRow("Cancel after typing") << TextCase{rows, false, u"X"_s, 1, rows};
        QTest::newRow("Enter inserts a line") << TextCase{u"A"_s, false, u"\nB"_s, 0, u"A\r\nB"_s};
        QTest::newRow("Esc cancels") << TextCase{u"A"_s, false, u"\n\rB"_s, -1, u"A"_s};
        QTest::newRow("typing stops at 512") << TextCase{full, false, u"\nxyz\n"_s, 0, full + u"\r\n"_s};
        QTest::newRow("replacing a selection makes room") << TextCase{full + u"\r\n"_s, true, u"new"_s, 0, u"new"_s};
    }
    void getTextHandsBack()
    {
        QFETCH(TextCase, c);
        frmGetText dialog;
        dialog.setText(c.text);
        dialog.show();
        auto *text = dialog.findChild<QPlainTextEdit *>(u"txtText"_s);
        if (c.selectAll)
            text->selectAll();
        else
            text->moveCursor(QTextCursor::End);
        for (const QChar ch : c.typed) {
            if (ch == u'\n' || ch == u'\r')
                QTest::keyClick(text, ch == u'\n' ? Qt::Key_Return : Qt::Key_Enter);
            else
                QTest::keyClicks(text, QString(ch));
        }
        QVERIFY(dialog.isVisible());
        if (c.button < 0)
            QTest::keyClick(text, Qt::Key_Escape);
        else
            dialog.findChild<QPushButton *>(u"cmdCommands_%1"_s.arg(c.button))->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Text(), c.expected);
    }

    // The fill button replaces the text; "Cancel" still hands back the caller's, and without
    // an offer there is no button.
    void getTextFill()
    {
        for (const int button : {0, 1}) {
            frmGetText dialog;
            dialog.setText(u"ab"_s);
            dialog.offerFill(u"All characters of KOI8-R"_s, u"\u0430\u0431\r\n\u0432"_s);
            dialog.show();
            auto *fill = dialog.findChild<QPushButton *>(u"cmdFill"_s);
            QVERIFY(fill->isVisible());
            QCOMPARE(fill->text(), u"All characters of KOI8-R"_s);
            fill->click();
            dialog.findChild<QPushButton *>(u"cmdCommands_%1"_s.arg(button))->click();
            QCOMPARE(dialog.Text(), button == 0 ? u"\u0430\u0431\r\n\u0432"_s : u"ab"_s);
        }
        frmGetText plain;
        plain.show();
        QVERIFY(!plain.findChild<QPushButton *>(u"cmdFill"_s)->isVisible());
    }

    // The font box keeps both ends of a font file's long label: the family and the file, with
    // the whole label as tooltip; a label that fits is shown whole, without one.
    void fontBoxElidesInTheMiddle()
    {
        ElidingComboBox box;
        box.setFixedWidth(161);
        const QString longLabel = u"Terminus Bold Condensed (from terminus-bold-condensed-12.pcf.gz)"_s;
        box.addItems({u"Arial"_s, longLabel});
        box.show();
        QCOMPARE(box.shownText(), u"Arial"_s);
        QCOMPARE(box.toolTip(), QString());
        box.setCurrentIndex(1);
        const QString shown = box.shownText();
        QVERIFY2(shown.startsWith(u"Ter"_s) && shown.endsWith(u"gz)"_s) && shown.contains(QChar(0x2026)),
                 qPrintable(shown));
        QCOMPARE(box.toolTip(), longLabel);
        box.setFixedWidth(1200);
        QCOMPARE(box.shownText(), longLabel);
        QCOMPARE(box.toolTip(), QString());
    }

    // The sheet shows the ink above and below the line whole: the line moves down.
    void sheetKeepsInkBeyondTheLine()
    {
        TestSurface measuring, sheet;
        for (TestSurface *s : {&measuring, &sheet}) {
            s->setGlyph(u"\u00C3"_s, TestSurface::Glyph{6, 1, -2, 4, 13});
            s->setGlyph(u"_"_s, TestSurface::Glyph{6, 0, 14, 6, 3});
        }
        TexelFont font;
        font.setChars(u"A\u00C3_"_s);
        const FontSheetPainter::Layout layout =
            FontSheetPainter::draw(font, measureFont(font, measuring), sheet, 30, 25);
        QCOMPARE(layout.edges, (QList<int>{0, 6, 12, 18}));
        QCOMPARE(inkRuns(sheet, 2, true), u"5-12"_s);
        QCOMPARE(inkRuns(sheet, 8, true), u"0-12"_s);
        QCOMPARE(inkRuns(sheet, 14, true), u"16-18"_s);
    }

    // Glyphs of the test surface: advance 6, ink 4 x 8 at (1, 3); a space advances 4; lines
    // are 15 pixels, so DefaultHeight is 8 and LineSep 7.
    void sample_data()
    {
        QTest::addColumn<SampleCase>("c");
        const auto row = [](const char *name, const SampleCase &c) { QTest::newRow(name) << c; };
        row("glyphs side by side", {u"AB"_s, u"AB"_s, 0, 0, 0, 0, u"1-4,7-10"_s, u"3-10"_s});
        row("outside the set: a space", {u"AB"_s, u"AxB"_s, 0, 0, 0, 0, u"1-4,11-14"_s, u"3-10"_s});
        row("lone LF is a character", {u"AB"_s, u"A\nB"_s, 0, 0, 0, 0, u"1-4,11-14"_s, u"3-10"_s});
        row("rows of the set count", {u"A\r\nB"_s, u"AB"_s, 0, 0, 0, 0, u"1-4,7-10"_s, u"3-10"_s});
        row("increment 3: 1 before, 2 after", {u"AB"_s, u"AB"_s, 3, 0, 0, 0, u"2-5,11-14"_s, u"3-10"_s});
        row("increment -3: -2 before, -1 after", {u"AB"_s, u" AB"_s, -3, 10, 0, 0, u"10-13,23-26"_s, u""_s});
        row("extra separation after", {u"AB"_s, u"AB"_s, 0, 2, 0, 0, u"1-4,9-12"_s, u"3-10"_s});
        row("CR LF: B one line lower", {u"AB"_s, u"A\r\nB"_s, 0, 0, 0, 0, u"1-4"_s, u"3-10,18-25"_s});
        row("lone CR", {u"AB"_s, u"A\rB"_s, 0, 0, 0, 0, u"1-4"_s, u"3-10,18-25"_s});
        row("extra line separation", {u"AB"_s, u"A\r\nB"_s, 0, 0, 5, 0, u"1-4"_s, u"3-10,23-30"_s});
        row("height increment", {u"AB"_s, u"A\r\nB"_s, 0, 0, 0, 2, u"1-4"_s, u"3-10,20-27"_s});
        row("negative line separation", {u"AB"_s, u"A\r\nB"_s, 0, 0, -4, 0, u"1-4"_s, u"3-10,14-21"_s});
        row("beyond 16 bits: one glyph",
            {u"A\U0001F600B"_s, u"A\U0001F600B"_s, 0, 0, 0, 0, u"1-4,7-10,13-16"_s, u"3-10"_s});
        // \u00C3 reaches 2 rows above the line: the lines move down by 2.
        row("ink above the line", {u"A\u00C3"_s, u"A\u00C3\r\nA"_s, 0, 0, 0, 0, u"1-4,7-10"_s, u"5-12,20-27"_s});
    }
    void sample()
    {
        QFETCH(SampleCase, c);
        TestSurface measuring, pane;
        for (TestSurface *s : {&measuring, &pane})
            s->setGlyph(u"\u00C3"_s, TestSurface::Glyph{6, 1, -2, 4, 13});
        TexelFont font;
        font.setChars(c.chars);
        font.SampleText = c.text;
        font.CharWidthInc = c.widthInc;
        font.CharSepExtra = c.sepExtra;
        font.LineSepExtra = c.lineSepExtra;
        font.CharHeightInc = c.heightInc;
        pane.setSize(60, 40);
        pane.setBackColor(0xFFFFFF);
        const GlyphMeasurement measured = measureFont(font, measuring);
        SamplePainter::draw(font, measured, pane);
        QCOMPARE(inkRuns(pane, 5), c.row5);
        QCOMPARE(inkRuns(pane, 2, true), c.column2);

        // A line advance that leaves 16 bits of twips (3000 pixels of extra separation) fails.
        font.LineSepExtra = 3000;
        font.SampleText = u"A\r\nB"_s;
        try {
            SamplePainter::draw(font, measured, pane);
            QFAIL("no failure");
        } catch (const Failure &failure) {
            QCOMPARE(failure.number, Failure::Overflow);
        }
    }
};

QTEST_MAIN(PartsTest)
#include "parts_test.moc"
