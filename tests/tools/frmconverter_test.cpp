// The ZGF to C converter: names derived on browsing, the files written and the split option's
// store. The naming rules, the C text and the refusals are the zgf suite's.
#include "dialogtesting.h"

#include "frmconverter.h"

using namespace Qt::StringLiterals;

class FrmConverterTest : public DialogTest
{
    Q_OBJECT

    QString storedSplit() const { return mServices->store.get(u"Convert"_s, u"SplitFiles"_s); }

private slots:
    // A source file, the names derived from it, a typed variable name, the split option, and
    // the array written.
    void converts_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("derived");
        QTest::addColumn<QString>("typedName");
        QTest::addColumn<bool>("split");
        QTest::addColumn<QString>("array");
        const QByteArray font = zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag);
        QTest::newRow("font") << u"cour.zgf"_s << font << u"courierNew10i"_s << QString() << false << u"courierNew10i_zgf"_s;
        QTest::newRow("font split") << u"cour.zgf"_s << font << u"courierNew10i"_s << QString() << true << u"courierNew10i_zgf"_s;
        QTest::newRow("typed name, spaces removed")
            << u"data.bin"_s << QByteArray("\1\2\3\4\5", 5) << u"data"_s << u"my var"_s << false << u"myvar"_s;
    }
    void converts()
    {
        QFETCH(QString, source);
        QFETCH(QByteArray, content);
        QFETCH(QString, derived);
        QFETCH(QString, typedName);
        QFETCH(bool, split);
        QFETCH(QString, array);
        mServices->store.save(u"Convert"_s, u"SplitFiles"_s, split ? u"1"_s : u"yes"_s);
        open<frmConverter>();
        QCOMPARE(control<QCheckBox>("chkSplit")->isChecked(), split); // read on load: "1" only
        QVERIFY(!command(1)->isEnabled());
        browse(0, file(source, content));
        QCOMPARE(control("txtFilename")->text(), path(source));
        QCOMPARE(control("txtVarName")->text(), derived);
        QCOMPARE(control("txtCFilename")->text(), path(derived + u".h"_s));
        QVERIFY(command(1)->isEnabled() && feedback().messages.isEmpty());
        control("txtVarName")->setText(u"   "_s); // "Ok" needs every name
        QVERIFY(!command(1)->isEnabled());
        control("txtVarName")->setText(typedName.isEmpty() ? derived : typedName);
        browse(1, path(u"out.c"_s));
        command(1)->click();
        QCOMPARE(control("txtCFilename")->text(), path(u"out.h"_s));
        QCOMPARE(storedSplit(), split ? u"1"_s : u"0"_s);
        QVERIFY(mDialog->isVisible());
        QCOMPARE(control("txtVarName")->text(), array.chopped(array.endsWith(u"_zgf"_s) ? 4 : 0));
        QCOMPARE(feedback().informations(), QStringList{u"C file(s) generated correctly."_s});
        const QByteArray declaration = "unsigned long " + array.toLatin1() + "[] = {\r\n";
        QVERIFY(readFile(path(split ? u"out.c"_s : u"out.h"_s)).contains(declaration));
        QCOMPARE(QFile::exists(path(u"out.c"_s)), split);
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
