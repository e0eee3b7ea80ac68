// The ZGF to C converter: names derived on browsing, the files written and the split option's
// store. The naming rules, the C text and the refusals are the zgf suite's.
#include "dialogtesting.h"

#include "frmconverter.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

// A source file, the variable name derived from it, one typed instead when given, the split
// option, the array written and the code page chosen (empty: none).
struct ConversionCase
{
    QString source;
    QByteArray content;
    QString derived, typedName;
    bool split;
    QString array;
    QString page = {};
};
Q_DECLARE_METATYPE(ConversionCase)

class FrmConverterTest : public DialogTest
{
    Q_OBJECT

    QString storedSplit() const { return mServices->store.get(u"Convert"_s, u"SplitFiles"_s); }

private slots:
    void converts_data()
    {
        QTest::addColumn<ConversionCase>("c");
        const QByteArray font = zgfFontBytes("Courier New", 10, 120, ZgfHeader::ItalicFlag);
        QTest::newRow("font") << ConversionCase{u"cour.zgf"_s,         font, u"courierNew10i"_s, {}, false,
                                                u"courierNew10i_zgf"_s};
        QTest::newRow("font split") << ConversionCase{u"cour.zgf"_s,         font, u"courierNew10i"_s, {}, true,
                                                      u"courierNew10i_zgf"_s};
        QTest::newRow("font in KOI8-R") << ConversionCase{
            u"cour.zgf"_s, font, u"courierNew10i"_s, {}, false, u"courierNew10i_zgf"_s, u"KOI8-R"_s};
        QTest::newRow("typed name, spaces removed")
            << ConversionCase{u"data.bin"_s, "\1\2\3\4\5", u"data"_s, u"my var"_s, false, u"myvar"_s};
    }
    void converts()
    {
        QFETCH(ConversionCase, c);
        const auto &[source, content, derived, typedName, split, array, page] = c;
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
        auto *codePage = control<QComboBox>("cbxCodePage");
        QCOMPARE(codePage->currentText(), u"Windows-1252"_s);
        if (!page.isEmpty())
            codePage->setCurrentIndex(codePage->findText(page));
        command(1)->click();
        QCOMPARE(control("txtCFilename")->text(), path(u"out.h"_s));
        QCOMPARE(storedSplit(), split ? u"1"_s : u"0"_s);
        QVERIFY(mDialog->isVisible());
        QCOMPARE(control("txtVarName")->text(), array.chopped(array.endsWith(u"_zgf"_s) ? 4 : 0));
        QCOMPARE(feedback().informations(), QStringList{u"C file(s) generated correctly."_s});
        const QByteArray declaration = "unsigned long " + array.toLatin1() + "[] = {\r\n";
        QVERIFY(readFile(path(split ? u"out.c"_s : u"out.h"_s)).contains(declaration));
        QCOMPARE(QFile::exists(path(u"out.c"_s)), split);
        const QByteArray define = "#define COURIERNEW10I_CODEPAGE \"" + page.toLatin1() + '"';
        QCOMPARE(readFile(path(u"out.h"_s)).contains(define), !page.isEmpty());
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
