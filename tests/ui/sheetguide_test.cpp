#include "fontpreview.h"
#include "fontsheetguide.h"
#include "surfaceview.h"

#include "rastersurface.h"
#include "texelfont.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

// The sheet over Liberation Sans (installed as the stand-in for Arial): U+2603 is not in
// it, and U+0141 has no Windows-1252 code while the euro sign has one.
class SheetGuideTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void framesAndFacts_data();
    void framesAndFacts();
    void tooltipEventShowsTheGlyph();
    void failedSheetForgetsTheMarks();

private:
    SurfaceView *sheet() const { return mPreview->findChild<SurfaceView *>(QStringLiteral("picFont")); }
    // The middle of glyph index of the sheet's line.
    int middleOf(qsizetype index) const;

    RasterSurface mMeasure;
    std::unique_ptr<TexelFont> mFont;
    std::unique_ptr<FontPreview> mPreview;
    FontSheetPainter::Layout mLayout;
};

void SheetGuideTest::init()
{
    mFont = std::make_unique<TexelFont>(&mMeasure);
    mFont->setTTFName(QStringLiteral("Arial"));
    mFont->setSize(18);
    mFont->setChars(QStringLiteral("A\u20AC\r\n\u0141\u2603"));
    mPreview = std::make_unique<FontPreview>();
    mPreview->resize(600, 300);
    mPreview->setDocument(mFont.get());
    mPreview->show();
    QVERIFY(mPreview->DrawFontSheet());
}

void SheetGuideTest::cleanup()
{
    mPreview.reset();
}

int SheetGuideTest::middleOf(qsizetype index) const
{
    // The frames sit on the glyph cells; the cells follow the advances the document measured.
    int left = 0;
    for (qsizetype i = 0; i < index; ++i)
        left += mFont->glyphs().at(i).TextWidth;
    return left + mFont->glyphs().at(index).TextWidth / 2;
}

void SheetGuideTest::framesAndFacts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<bool>("unencodable");
    QTest::addColumn<QString>("codes");

    QTest::newRow("A") << 0 << false << false << "A (U+0041), Windows-1252 0x41";
    QTest::newRow("euro sign") << 1 << false << false << "\u20AC (U+20AC), Windows-1252 0x80";
    QTest::newRow("L with stroke") << 2 << false << true
                                   << "\u0141 (U+0141), no Windows-1252 code (written as \"?\")";
    QTest::newRow("snowman") << 3 << true << true << "\u2603 (U+2603), no Windows-1252 code (written as \"?\")";
}

void SheetGuideTest::framesAndFacts()
{
    QFETCH(int, index);
    QFETCH(bool, missing);
    QFETCH(bool, unencodable);
    QFETCH(QString, codes);

    const FontSheetGuide &guide = mPreview->sheetGuide();
    QCOMPARE(guide.missing(), QStringLiteral("\u2603"));
    QCOMPARE(guide.unencodable(), QStringLiteral("\u0141\u2603"));

    const int x = middleOf(index);
    bool framedMissing = false;
    bool framedUnencodable = false;
    for (const SurfaceView::Frame &frame : sheet()->frames()) {
        if (frame.rect.left() <= x && x <= frame.rect.right()) {
            framedMissing |= frame.color == QColor(FontSheetGuide::MissingColor);
            framedUnencodable |= frame.color == QColor(FontSheetGuide::UnencodableColor);
        }
    }
    QCOMPARE(framedMissing, missing);
    QCOMPARE(framedUnencodable, unencodable);

    const Char &g = mFont->glyphs().at(index);
    const QString tip = guide.toolTipAt(x);
    QVERIFY2(tip.startsWith(codes + QLatin1Char('\n')), qPrintable(tip));
    QVERIFY2(tip.contains(QStringLiteral("Advance: %1\n").arg(g.TextWidth)), qPrintable(tip));
    QVERIFY2(tip.contains(QStringLiteral("Ink box: %1 x %2 at (%3, %4)").arg(g.Width).arg(g.Height).arg(g.Left).arg(g.Top)),
             qPrintable(tip));
    QVERIFY2(tip.contains(QStringLiteral("Indents: left %1, right %2").arg(g.Left).arg(g.TextWidth - g.Left - g.Width)),
             qPrintable(tip));
    QCOMPARE(tip.contains(QStringLiteral("Not in Arial")), missing);
    // Every tip ends with both lists.
    QVERIFY2(tip.endsWith(QStringLiteral("\n\n1 character is not in Arial: \u2603 (U+2603)\n"
                                         "2 characters have no Windows-1252 code and will be written as \"?\": "
                                         "\u0141 (U+0141), \u2603 (U+2603)")),
             qPrintable(tip));
}

void SheetGuideTest::tooltipEventShowsTheGlyph()
{
    const QPoint at(middleOf(3), 5);
    QHelpEvent help(QEvent::ToolTip, at, sheet()->mapToGlobal(at));
    QCoreApplication::sendEvent(sheet(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains(QStringLiteral("\u2603 (U+2603), no Windows-1252 code")), qPrintable(QToolTip::text()));

    // Past the last glyph only the lists are told.
    const int end = middleOf(3) + mFont->glyphs().at(3).TextWidth;
    QVERIFY(mPreview->sheetGuide().toolTipAt(end).startsWith(QStringLiteral("1 character is not in Arial")));
}

void SheetGuideTest::failedSheetForgetsTheMarks()
{
    QVERIFY(!sheet()->frames().isEmpty());
    mFont->setSize(5000); // refused by the renderer
    QVERIFY(!mPreview->DrawFontSheet());
    QVERIFY(sheet()->frames().isEmpty());
    QCOMPARE(mPreview->sheetGuide().toolTipAt(middleOf(0)), QString());
}

QTEST_MAIN(SheetGuideTest)
#include "sheetguide_test.moc"
