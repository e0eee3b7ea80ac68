// The ZGF to C converter: names derived on browsing, the files written, the refusals and the
// split option's store. The naming rules and the C text are the zgf suite's.
#include "dialogtesting.h"

#include "frmconverter.h"

using namespace Qt::StringLiterals;

// A source file and what the conversion makes of it: a typed variable name, the split
// option, and the array written, or the refusal (nothing written).
struct ConversionCase { QString source; QByteArray content; QString typedName; bool split; QString array, refusal; };
Q_DECLARE_METATYPE(ConversionCase)

class FrmConverterTest : public DialogTest
{
    Q_OBJECT

    QString storedSplit() const { return mServices->store.get(u"Convert"_s, u"SplitFiles"_s); }

private slots:
    void derivesNamesOnBrowse_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("variableName");
        QTest::newRow("font") << u"cour.zgf"_s << zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag) << u"courierNew10i"_s;
        QTest::newRow("other file") << u"data.bin"_s << QByteArray("\1\2\3\4\5", 5) << u"data"_s;
    }
    void derivesNamesOnBrowse()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, variableName);
        open<frmConverter>();
        QVERIFY(!command(1)->isEnabled());
        const QString source = file(fileName, content);
        browse(0, source);
        QCOMPARE(control("txtFilename")->text(), source);
        QCOMPARE(control("txtVarName")->text(), variableName);
        QCOMPARE(control("txtCFilename")->text(), path(variableName + u".h"_s));
        QVERIFY(command(1)->isEnabled() && feedback().messages.isEmpty());
        control("txtVarName")->setText(u"   "_s); // "Ok" needs every name
        QVERIFY(!command(1)->isEnabled());
    }

    void converts_data()
    {
        QTest::addColumn<ConversionCase>("c");
        const QByteArray font = zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag);
        QTest::newRow("font") << ConversionCase{u"source.zgf"_s, font, {}, false, u"courierNew10i_zgf"_s, {}};
        QTest::newRow("font split") << ConversionCase{u"source.zgf"_s, font, {}, true, u"courierNew10i_zgf"_s, {}};
        QTest::newRow("typed name, spaces removed")
            << ConversionCase{u"source.bin"_s, "\1\2\3\4\5", u"my var"_s, false, u"myvar"_s, {}};
        // A C file that would replace the source.
        QTest::newRow("the header is the source")
            << ConversionCase{u"out.h"_s, "source", {}, false, {}, u"The C file would replace the file to convert "_s};
        QTest::newRow("the .c is the split source")
            << ConversionCase{u"out.c"_s, "source", {}, true, {}, u"The .c file would replace the file to convert "_s};
    }
    void converts()
    {
        QFETCH(ConversionCase, c);
        mServices->store.save(u"Convert"_s, u"SplitFiles"_s, c.split ? u"1"_s : u"yes"_s);
        open<frmConverter>();
        QCOMPARE(control<QCheckBox>("chkSplit")->isChecked(), c.split); // read on load: "1" only
        browse(0, file(c.source, c.content));
        if (!c.typedName.isEmpty())
            control("txtVarName")->setText(c.typedName);
        browse(1, path(u"out.c"_s));
        command(1)->click();
        QCOMPARE(control("txtCFilename")->text(), path(u"out.h"_s));
        QCOMPARE(storedSplit(), c.split ? u"1"_s : u"0"_s);
        QVERIFY(mDialog->isVisible());
        if (!c.refusal.isEmpty()) {
            QVERIFY2(feedback().failures().size() == 1 && feedback().failures().constFirst().contains(c.refusal),
                     qPrintable(feedback().failures().join(u'\n')));
            QCOMPARE(readFile(path(c.source)), c.content);
            QCOMPARE(QDir(mFolder->path()).entryList(QDir::Files).size(), 2); // the source and the store
            return;
        }
        QCOMPARE(control("txtVarName")->text(), c.array.chopped(c.array.endsWith(u"_zgf"_s) ? 4 : 0));
        QCOMPARE(feedback().informations(), QStringList{u"C file(s) generated correctly."_s});
        const QByteArray array = "unsigned long " + c.array.toLatin1() + "[] = {\r\n";
        QVERIFY(readFile(path(c.split ? u"out.c"_s : u"out.h"_s)).contains(array));
        QCOMPARE(QFile::exists(path(u"out.c"_s)), c.split);
    }

    void storesSplitOnlyThroughOk()
    {
        for (const int button : {0, 1}) { // "Exit", then "Ok" on a conversion that fails
            QCOMPARE(storedSplit(), QString());
            open<frmConverter>();
            browse(0, file(u"data.bin"_s, QByteArray("abc")));
            browse(1, path(u"missing folder/out.h"_s));
            control<QCheckBox>("chkSplit")->setChecked(true);
            command(button)->click();
        }
        QCOMPARE(storedSplit(), u"1"_s);
        QCOMPARE(feedback().failures().size(), 1);
        QVERIFY(!QFile::exists(path(u"missing folder"_s)));
    }
};

QTEST_MAIN(FrmConverterTest)
#include "frmconverter_test.moc"
