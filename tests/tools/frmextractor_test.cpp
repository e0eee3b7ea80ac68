// The ZGF font extractor: the list of what the scan found, saving the selected font, and
// showing it in the viewer. The scanner's own cases are the zgf suite's.
#include "dialogtesting.h"

#include "frmextractor.h"
#include "frmviewer.h"
#include "zgfpictures.h"

using namespace Qt::StringLiterals;

class FrmExtractorTest : public DialogTest
{
    Q_OBJECT

    QStringList rows() const
    {
        QStringList out;
        for (QTreeWidgetItemIterator row(control<QTreeWidget>("lvwFonts")); *row; ++row)
            out.append((*row)->text(0) + u'|' + (*row)->text(1) + u'|' + (*row)->text(2));
        return out;
    }
    void select(int row) const
    {
        auto *list = control<QTreeWidget>("lvwFonts");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
    }

private slots:
    void listsTheFontsFound_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("two fonts after other bytes")
            << QByteArray(13, 'x') + zgfFontBytes("Abc", 8, 300) + zgfFontBytes("Arial", 12, 200, ZgfHeader::BoldFlag)
            << QStringList{u"Abc 8|13|300"_s, u"Arial 12|313|200"_s};
        QTest::newRow("no font, only partial matches") << QByteArray("ZZGF\0 zgf\0 ZGF", 15) << QStringList();
    }
    void listsTheFontsFound()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expected);
        open<frmExtractor>();
        browse(0, file(u"first.fxe"_s, zgfFontBytes("First", 8, 100))); // a list that the next scan replaces
        QCOMPARE(rows(), QStringList{u"First 8|0|100"_s});
        const QString fonts = file(u"program data.fxe"_s, content);
        browse(0, fonts);
        QCOMPARE(control("txtFilename")->text(), fonts);
        QCOMPARE(rows(), expected);
        // A file without fonts is named on the message's second line.
        const QString none = u"No ZGF fonts could be located in file\r\n"_s + fonts;
        QCOMPARE(feedback().informations(), expected.isEmpty() ? QStringList{none} : QStringList());
        browse(0); // cancelled: nothing changes
        QCOMPARE(rows(), expected);
        QCOMPARE(choosers().openRequests.constLast().fileName, fonts);
    }

    void savesTheSelectedFont()
    {
        open<frmExtractor>();
        const QByteArray content = QByteArray(40, '\x5a') + zgfFontBytes("Abc", 8, 300)
            + zgfFontBytes("Courier New", 10, 257, ZgfHeader::ItalicFlag) + zgfFontBytes("AC/DC", 9, 100);
        browse(0, file(u"game.gxb"_s, content));
        QVERIFY(!command(1)->isEnabled() && !command(2)->isEnabled()); // "Extract font..." and "View"
        select(1);
        QVERIFY(command(1)->isEnabled() && command(2)->isEnabled());
        // A cancelled save dialog writes nothing; a larger old file is replaced whole.
        const QString destination = file(u"Courier New 10.zgf"_s, QByteArray(5000, 'o'));
        command(1)->click();
        QCOMPARE(QFile(destination).size(), 5000);
        choosers().saveNames.append(destination);
        command(1)->click();
        QCOMPARE(choosers().saveRequests.constLast().fileName, u"Courier New 10.zgf"_s);
        QCOMPARE(readFile(destination), content.mid(340, 257));
        QCOMPARE(feedback().informations(), QStringList{u"ZGF font extracted correctly."_s});
        QVERIFY(mDialog->isVisible());
        // The proposed name never makes a folder of the font's name.
        select(2);
        command(1)->click();
        QCOMPARE(choosers().saveRequests.constLast().fileName, u"AC_DC 9.zgf"_s);
    }

    // "View" shows a font embedded at an offset straight from the scanned file.
    void viewShowsTheEmbeddedFont()
    {
        const QByteArray font = readFile(exportedFont(path(u"font.zgf"_s), true, true));
        const QString program = file(u"program.fxe"_s, QByteArray(777, '\x55') + font + QByteArray(300, '\x66'));
        open<frmExtractor>();
        browse(0, program);
        select(0);
        // The viewer is modal: look at it once it shows, then close it.
        QImage shown;
        QString offset;
        whileModal([this] { command(2)->click(); },
                   [&](QWidget *modal) {
                       if (auto *viewer = qobject_cast<frmViewer *>(modal)) {
                           shown = viewer->glyphImage();
                           offset = viewer->findChild<QLabel *>(u"lblOffset"_s)->text();
                           viewer->close();
                       }
                   });
        QCOMPARE(shown, ZgfPictures::glyphImage(ZgfFont::read(font)));
        QCOMPARE(offset, u"at offset 777"_s);
        QVERIFY(feedback().failures().isEmpty());

        // A font whose header passes the scan but whose body is cut short is refused.
        writeFile(program, QByteArray(20, '\x55') + font.left(font.size() - 40));
        browse(0, program);
        QVERIFY(!command(2)->isEnabled()); // a new scan empties the list, and with it the selection
        select(0);
        command(2)->click();
        QCOMPARE(feedback().failures().size(), 1);
        QVERIFY2(feedback().failures().constFirst().contains(
                     program + u" at offset 20 is not a valid ZGF font: the file is truncated"_s),
                 qPrintable(feedback().failures().constFirst()));
    }
};

QTEST_MAIN(FrmExtractorTest)
#include "frmextractor_test.moc"
