// The ZGF font viewer against fonts the real export writes: its pictures are those that
// texelsmithy-cli draws, and a malformed file leaves the font shown before.
#include "clirender.h"
#include "dialogtesting.h"

#include "colorswatch.h"
#include "frmviewer.h"
#include "zgfchargrid.h"
#include "zgfpictures.h"
#include "zoomview.h"

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
            mFonts.insert(font, exportedFont(mShared.filePath(font + u".zgf"_s), font.startsWith(u"rle"_s),
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
        QVERIFY2(failures.at(0).startsWith(u"321: Invalid file format: "_s + bad) && failures.at(0).contains(u"truncated"_s),
                 qPrintable(failures.at(0)));
        QVERIFY(failures.at(1).startsWith(u"53: "_s));
        QCOMPARE(control("txtFilename")->text(), good);
        QCOMPARE(viewer->glyphImage(), shown);
    }
};

QTEST_MAIN(FrmViewerTest)
#include "frmviewer_test.moc"
