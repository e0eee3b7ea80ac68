// The ZGF font viewer against fonts the real export writes: its pictures are those that
// texelsmithy-cli draws, and a malformed file leaves the font shown before.
#include "clirender.h"
#include "dialogtesting.h"
#include "gripdots.h"

#include "colorswatch.h"
#include "frmviewer.h"
#include "zgfchargrid.h"
#include "zgfpictures.h"
#include "zoomview.h"

#include <QSplitter>

using namespace Qt::StringLiterals;

class FrmViewerTest : public DialogTest
{
    Q_OBJECT

    QTemporaryDir mShared;
    // exported: "raw", "rle", "raw-masked", "rle-masked", "smooth-masked"
    QHash<QString, QString> mFonts;

private slots:
    void initTestCase()
    {
        for (const char *name : {"raw", "rle", "raw-masked", "rle-masked"}) {
            const QString font = QLatin1String(name);
            mFonts.insert(font,
                          exportedFont(mShared.filePath(font + u".zgf"_s), font.startsWith(u"rle"_s),
                                       font.endsWith(u"masked"_s)));
            QVERIFY2(!mFonts.value(font).isEmpty(), name);
        }
        mFonts.insert(u"smooth-masked"_s, exportedFont(mShared.filePath(u"smooth.zgf"_s), true, true, true));
        QVERIFY(!mFonts.value(u"smooth-masked"_s).isEmpty());
    }

    void showsFontsAsTheCliDrawsThem_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"raw", "rle", "raw-masked", "rle-masked"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void showsFontsAsTheCliDrawsThem()
    {
        QFETCH(QString, name);
        const QString font = mFonts.value(name);
        const QDir out(mFolder->path());
        frmViewer *viewer = open<frmViewer>();
        browse(0, font);
        QVERIFY(feedback().failures().isEmpty());
        QCOMPARE(viewer->glyphImage(), cliRender(font, {}, out));
        const bool masked = name.endsWith(u"masked"_s);
        QCOMPARE(control<QWidget>("fraMask")->isVisible(), masked);
        if (masked)
            QCOMPARE(viewer->maskImage(), cliRender(font, {u"--mask"_s}, out));
        // Characters the font lacks ("~" is not in the default set) take the default width.
        const QString text = u"Ab~ 9,\nqy?"_s;
        control<QPlainTextEdit>("txtSample")->setPlainText(text);
        QCOMPARE(viewer->sampleImage(), cliRender(font, {u"--text"_s, text}, out));
        choosers().colors.append(Color(0x336699));
        QTest::mouseClick(control<ColorSwatch>("lblBackColor"), Qt::LeftButton);
        QVERIFY(control<QRadioButton>("optColor")->isChecked());
        const QStringList plain{u"--text"_s, text, u"--background"_s, u"996633"_s};
        QCOMPARE(viewer->sampleImage(), cliRender(font, plain, out));
        // At 3x every pixel is a 3 x 3 block, on screen as in the tool's enlargement.
        viewer->setZoom(3);
        QCOMPARE(control<QComboBox>("cbxZoom")->currentText(), u"3x"_s);
        const auto shot = [this](const char *view) {
            return control<ZoomView>(view)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(shot("picGlyphs"), cliRender(font, {u"--scale"_s, u"3"_s}, out));
        QCOMPARE(shot("picSample"), cliRender(font, plain + QStringList{u"--scale"_s, u"3"_s}, out));
    }

    // The grid shows a masked glyph as the library draws it over the checker board, at the zoom;
    // a font without a mask shows its raw cells.
    void charactersGridShowsGlyphsAsDrawn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("plain") << u"rle"_s << false;
        QTest::newRow("smooth mask") << u"smooth-masked"_s << true;
    }
    void charactersGridShowsGlyphsAsDrawn()
    {
        QFETCH(QString, name);
        QFETCH(bool, drawn);
        frmViewer *viewer = open<frmViewer>();
        QVERIFY(viewer->openFile(mFonts.value(name)));
        viewer->setZoom(4);
        const ZgfFont &font = *viewer->zgfFont();
        auto *grid = control<ZgfCharGrid>("picChars");
        grid->resize(grid->cellSize().width() * 8, grid->heightForWidth(grid->cellSize().width() * 8));
        const QImage shot = grid->grab().toImage().convertToFormat(QImage::Format_RGB32);
        bool differs = false; // a drawn glyph from its raw cell, else the font tests nothing
        // "j" starts left of the pen, so it is drawn after characters the font lacks ("~").
        for (const QChar character : u"AgWj"_s) {
            const int index = font.indexOf(character);
            QVERIFY(index >= 0);
            QCOMPARE(font.leftIndent(index) < 0, character == u'j');
            const QSize size(font.charWidth(index), font.imageHeight());
            const QImage raw = viewer->glyphImage().copy(QRect(QPoint(font.cellX(index), 0), size));
            QString text(character);
            int pen = font.leftIndent(index);
            for (; pen < 0; pen += font.header().DefaultWidth + font.header().CharSep)
                text.prepend(u'~');
            const QImage library = ZgfPictures::textImage(font, text).copy(QRect(QPoint(pen, 0), size));
            const QRect cell = grid->cellRect(index);
            const QPoint corner(cell.left() + (cell.width() - size.width() * 4) / 2, cell.top() + 4);
            QCOMPARE(shot.copy(QRect(corner, size * 4)), ZgfPictures::zoomed(drawn ? library : raw, 4));
            differs |= library != raw;
        }
        QVERIFY(!drawn || differs);
    }

    // A row of cells shows glyphs and captions whole at every zoom, in a window too short for
    // it at first, unless the window has reached the bottom of the screen.
    void charactersPaneHoldsAWholeRow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("zoom");
        QTest::newRow("1x") << u"rle"_s << 1;
        QTest::newRow("4x") << u"rle"_s << 4;
        QTest::newRow("4x, with the mask strip") << u"rle-masked"_s << 4;
        QTest::newRow("8x") << u"rle"_s << 8;
    }
    void charactersPaneHoldsAWholeRow()
    {
        QFETCH(QString, name);
        QFETCH(int, zoom);
        frmViewer *viewer = open<frmViewer>();
        viewer->resize(720, 300);
        QVERIFY(viewer->openFile(mFonts.value(name)));
        viewer->setZoom(zoom);
        QCoreApplication::processEvents();
        auto *grid = control<ZgfCharGrid>("picChars");
        const QWidget *shown = grid->parentWidget();
        const QRect room = viewer->screen()->availableGeometry();
        const int row = grid->cellRect(0).height();
        QVERIFY2(shown->height() >= row || viewer->frameGeometry().bottom() >= room.bottom(),
                 qPrintable(u"%1 px shown of a row of %2"_s.arg(shown->height()).arg(row)));
        QVERIFY(viewer->frameGeometry().bottom() <= room.bottom());
    }

    // The splitter shows a grip. After a zoom the pane has the height last dragged, or more
    // for a row of cells, and comes back to the dragged height when the zoom goes down.
    void charactersPaneKeepsTheDraggedHeight()
    {
        frmViewer *viewer = open<frmViewer>();
        viewer->resize(720, 700);
        QVERIFY(viewer->openFile(mFonts.value(u"rle"_s)));
        viewer->setZoom(1);
        QCoreApplication::processEvents();
        auto *panes = viewer->findChild<QSplitter *>();
        QSplitterHandle *handle = panes->handle(1);
        const int dots = gripDots(handle->grab().toImage(), handle->palette().color(QPalette::Dark).rgb());
        QVERIFY2(handle->height() >= 6 && dots >= 5,
                 qPrintable(u"%1 px high, %2 grip pixels"_s.arg(handle->height()).arg(dots)));
        const auto drag = [handle](int pixels) {
            const QPoint grip = handle->rect().center();
            QTest::mousePress(handle, Qt::LeftButton, {}, grip);
            QTest::mouseMove(handle, grip + QPoint(0, pixels));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, pixels));
        };
        const auto zoomed = [&](int zoom) {
            viewer->setZoom(zoom);
            QCoreApplication::processEvents();
            return panes->sizes().value(0);
        };
        drag(-1000); // to the pane's smallest height
        const int smallest = panes->sizes().value(0);
        QVERIFY(zoomed(4) > smallest);
        QCOMPARE(zoomed(1), smallest);
        drag(60);
        const int dragged = panes->sizes().value(0);
        QCOMPARE(dragged, smallest + 60);
        QCOMPARE(zoomed(4), dragged);
        QCOMPARE(zoomed(1), dragged);
    }

    // The codes are read in the chosen code page: KOI8-R's 0xD6 is "ж", Windows-1252's "Ö", which
    // the default set holds. The sample follows the box, as render --codepage draws it.
    void samplesFollowTheCodePage()
    {
        const QString font = mFonts.value(u"rle"_s);
        const QDir out(mFolder->path());
        frmViewer *viewer = open<frmViewer>();
        QVERIFY(viewer->openFile(font));
        const QString text = u"A\u0436"_s;
        control<QPlainTextEdit>("txtSample")->setPlainText(text);
        const QImage western = viewer->sampleImage();
        QCOMPARE(western, cliRender(font, {u"--text"_s, text}, out));
        auto *box = control<QComboBox>("cbxCodePage");
        box->setCurrentIndex(box->findText(u"KOI8-R"_s));
        QCOMPARE(viewer->zgfFont()->codePage(), CodePage::Koi8R);
        QCOMPARE(viewer->sampleImage(), cliRender(font, {u"--text"_s, text, u"--codepage"_s, u"koi8-r"_s}, out));
        QVERIFY(viewer->sampleImage() != western);
        QVERIFY(viewer->zgfFont()->characters().contains(QChar(0x0436)));
        // A font opened next is read in the page chosen.
        QVERIFY(viewer->openFile(mFonts.value(u"raw"_s)));
        QCOMPARE(viewer->zgfFont()->codePage(), CodePage::Koi8R);
    }

    // The reader's cases are the zgf suite's; here the message and what the viewer keeps.
    void refusesMalformedFiles()
    {
        frmViewer *viewer = open<frmViewer>();
        const QString good = mFonts.value(u"raw"_s);
        QVERIFY(viewer->openFile(good));
        const QImage shown = viewer->glyphImage();
        const QString bad = file(u"bad.zgf"_s, readFile(mFonts.value(u"rle-masked"_s)).chopped(1));
        QVERIFY(!viewer->openFile(bad));
        QVERIFY(!viewer->openFile(path(u"missing.zgf"_s)));
        const QStringList failures = feedback().failures();
        QCOMPARE(failures.size(), 2);
        QVERIFY2(failures.at(0).startsWith(u"321: Invalid file format: "_s + bad)
                     && failures.at(0).contains(u"truncated"_s),
                 qPrintable(failures.at(0)));
        QVERIFY(failures.at(1).startsWith(u"53: "_s));
        QCOMPARE(control("txtFilename")->text(), good);
        QCOMPARE(viewer->glyphImage(), shown);
    }
};

QTEST_MAIN(FrmViewerTest)
#include "frmviewer_test.moc"
