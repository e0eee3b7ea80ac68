#include "scriptedcolors.h"

#include "colorswatch.h"
#include "frmproperties.h"
#include "texelfont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class FrmPropertiesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fillsFromDocument();
    void namesFollowTypedName_data();
    void namesFollowTypedName();
    void defaultButtonsIgnoreCustomFlags();
    void okNormalisesNames_data();
    void okNormalisesNames();
    void tickedFlagKeepsCalculatedFileName();
    void separationFields_data();
    void separationFields();
    void enterAppliesTypedValue();
    void chosenColour_data();
    void chosenColour();
    void closesWithoutDocument();

private:
    void open();
    QLineEdit *field(const char *name) const { return mDialog->findChild<QLineEdit *>(QLatin1String(name)); }
    QPushButton *command(int index) const
    {
        return mDialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_%1").arg(index));
    }

    std::unique_ptr<TexelFont> mFont;
    ScriptedColors mColors;
    std::unique_ptr<frmProperties> mDialog;
};

void FrmPropertiesTest::init()
{
    mFont = std::make_unique<TexelFont>();
    mColors = ScriptedColors();
}

void FrmPropertiesTest::cleanup()
{
    mDialog.reset();
}

void FrmPropertiesTest::open()
{
    mDialog = std::make_unique<frmProperties>(nullptr, &mColors);
    mDialog->setTexelFont(mFont.get());
    mDialog->show();
}

void FrmPropertiesTest::fillsFromDocument()
{
    mFont->setBold(true);
    mFont->setSize(12.0f);
    mFont->Serif = true;
    mFont->CharSepExtra = -3;
    open();
    QCOMPARE(mDialog->windowTitle(), QStringLiteral("Font properties"));
    QCOMPARE(field("txtName")->text(), QStringLiteral("Arial"));
    QCOMPARE(field("txtSize")->text(), QStringLiteral("12"));
    QVERIFY(field("txtTTFName")->isReadOnly());
    QVERIFY(mDialog->findChild<QCheckBox *>(QStringLiteral("chkBold"))->isChecked());
    QVERIFY(!mDialog->findChild<QGroupBox *>(QStringLiteral("fraStyle"))->isEnabled());
    QVERIFY(mDialog->findChild<QCheckBox *>(QStringLiteral("chkSerif"))->isChecked());
    QCOMPARE(field("txtCharSepExtra")->text(), QStringLiteral("-3"));
    QCOMPARE(field("txtGP32FileName")->maxLength(), 8);
    QVERIFY(command(1)->isDefault());
    // Ticking serif recomputed the name from the filled fields: what the document holds.
    QCOMPARE(field("txtVariableName")->text(), mFont->CalculateVariableName());
    QCOMPARE(field("txtGP32FileName")->text(), mFont->CalculateGP32FileName(QString(), mFont->CalculateVariableName()));
}

void FrmPropertiesTest::namesFollowTypedName_data()
{
    QTest::addColumn<bool>("custom");
    QTest::newRow("calculated names follow") << false;
    QTest::newRow("custom names stay") << true;
}

void FrmPropertiesTest::namesFollowTypedName()
{
    QFETCH(bool, custom);
    if (custom) {
        mFont->setVariableName(QStringLiteral("myVar"));
        mFont->setGP32FileName(QStringLiteral("myfile"));
        QVERIFY(mFont->CustomVariableName && mFont->CustomGP32FileName);
    }
    open();
    const QString variableName = field("txtVariableName")->text();
    const QString fileName = field("txtGP32FileName")->text();
    for (const QChar c : QStringLiteral(" Bl")) {
        QTest::keyClicks(field("txtName"), QString(c));
        const QString name = field("txtName")->text();
        if (custom) {
            QCOMPARE(field("txtVariableName")->text(), variableName);
            QCOMPARE(field("txtGP32FileName")->text(), fileName);
        } else {
            QCOMPARE(field("txtVariableName")->text(), mFont->CalculateVariableName(name));
            QCOMPARE(field("txtGP32FileName")->text(),
                     mFont->CalculateGP32FileName(name, mFont->CalculateVariableName(name), 1, 0, 0));
        }
    }
    QCOMPARE(field("txtName")->text(), QStringLiteral("Arial Bl"));
}

void FrmPropertiesTest::defaultButtonsIgnoreCustomFlags()
{
    mFont->setVariableName(QStringLiteral("myVar"));
    mFont->setGP32FileName(QStringLiteral("myfile"));
    open();
    field("txtName")->setText(QStringLiteral("Times"));
    mDialog->findChild<QCheckBox *>(QStringLiteral("chkScript"))->click();
    QCOMPARE(field("txtVariableName")->text(), mFont->VariableName());

    command(2)->click();
    QCOMPARE(field("txtVariableName")->text(), mFont->CalculateVariableName(QStringLiteral("Times")));
    QCOMPARE(field("txtGP32FileName")->text(), mFont->GP32FileName());
    command(3)->click();
    QCOMPARE(field("txtGP32FileName")->text(),
             mFont->CalculateGP32FileName(QStringLiteral("Times"), field("txtVariableName")->text(), 1, 0, 1));
    // The document's flags change only through "Ok".
    QVERIFY(mFont->CustomVariableName && mFont->CustomGP32FileName);
    command(1)->click();
    QVERIFY(!mFont->CustomVariableName);
    QVERIFY(!mFont->CustomGP32FileName);
    QVERIFY(mFont->Script);
}

void FrmPropertiesTest::okNormalisesNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("variableName");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("storedVariableName");
    QTest::addColumn<QString>("storedFileName"); // empty: the calculated one

    QTest::newRow("spaces only: the face name") << "   " << "" << "" << "Arial" << "arial10" << "";
    QTest::newRow("name trimmed") << "  My Font " << "" << "" << "My Font" << "myFont10" << "";
    QTest::newRow("variable name without spaces") << "Arial" << "my font" << "" << "Arial" << "myfont" << "";
    QTest::newRow("file name without spaces") << "Arial" << "" << "My Fnt" << "Arial" << "arial10" << "myfnt";
    QTest::newRow("empty names: the document's") << "Arial" << " " << "  " << "Arial" << "arial10" << "";
}

void FrmPropertiesTest::okNormalisesNames()
{
    QFETCH(QString, name);
    QFETCH(QString, variableName);
    QFETCH(QString, fileName);
    QFETCH(QString, storedName);
    QFETCH(QString, storedVariableName);
    QFETCH(QString, storedFileName);

    open();
    field("txtName")->setText(name);
    if (!variableName.isEmpty())
        field("txtVariableName")->setText(variableName);
    if (!fileName.isEmpty())
        field("txtGP32FileName")->setText(fileName);
    command(1)->click();

    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    QCOMPARE(mFont->Name(), storedName);
    QCOMPARE(mFont->VariableName(), storedVariableName);
    QCOMPARE(mFont->GP32FileName(), storedFileName.isEmpty() ? mFont->CalculateGP32FileName() : storedFileName);
    QCOMPARE(mFont->CustomGP32FileName, !storedFileName.isEmpty());
}

void FrmPropertiesTest::tickedFlagKeepsCalculatedFileName()
{
    open();
    mDialog->findChild<QCheckBox *>(QStringLiteral("chkScript"))->click();
    command(1)->click();
    QVERIFY(mFont->Script);
    QCOMPARE(mFont->GP32FileName(), mFont->CalculateGP32FileName());
    QVERIFY(!mFont->CustomGP32FileName);
}

void FrmPropertiesTest::separationFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("repaired");

    // The document holds 5 in both fields.
    QTest::newRow("letters, stop and space refused") << "txtCharSepExtra" << "1a2. x" << "12" << "12";
    QTest::newRow("lone minus") << "txtCharSepExtra" << "-" << "-" << "5";
    QTest::newRow("two minus signs") << "txtLineSepExtra" << "--1" << "--1" << "5";
    QTest::newRow("leading zeros") << "txtCharSepExtra" << "007" << "007" << "7";
    QTest::newRow("minus zero") << "txtLineSepExtra" << "-0" << "-0" << "0";
    QTest::newRow("negative") << "txtLineSepExtra" << "-12" << "-12" << "-12";
    QTest::newRow("lowest") << "txtCharSepExtra" << "-32768" << "-32768" << "-32768";
    QTest::newRow("above 32767") << "txtCharSepExtra" << "32768" << "32768" << "5";
    QTest::newRow("empty") << "txtLineSepExtra" << "" << "" << "5";
}

void FrmPropertiesTest::separationFields()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, repaired);

    mFont->CharSepExtra = 5;
    mFont->LineSepExtra = 5;
    open();
    QLineEdit *edit = field(name.toLatin1().constData());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QString());
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);

    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &leave);
    QCOMPARE(edit->text(), repaired);

    command(1)->click();
    QCOMPARE(int(name == QLatin1String("txtCharSepExtra") ? mFont->CharSepExtra : mFont->LineSepExtra),
             repaired.toInt());
}

void FrmPropertiesTest::enterAppliesTypedValue()
{
    open();
    QLineEdit *edit = field("txtLineSepExtra");
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    QCOMPARE(mFont->LineSepExtra, qint16(12));
}

void FrmPropertiesTest::chosenColour_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("stored");
    QTest::newRow("Cancel") << 0 << 0x00FF00;
    QTest::newRow("Ok") << 1 << 0x123456;
}

void FrmPropertiesTest::chosenColour()
{
    QFETCH(int, button);
    QFETCH(int, stored);

    open();
    auto *swatch = mDialog->findChild<ColorSwatch *>(QStringLiteral("lblTransColor"));
    mColors.answers = {Color(0x123456)};
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(mColors.asked, QList<Color>{0x00FF00});
    QCOMPARE(swatch->color(), Color(0x123456));
    // A cancelled colour dialog keeps the swatch.
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(swatch->color(), Color(0x123456));
    QCOMPARE(mFont->TransColor, Color(0x00FF00));

    command(button)->click();
    QCOMPARE(mFont->TransColor, Color(stored));
}

void FrmPropertiesTest::closesWithoutDocument()
{
    frmProperties dialog(nullptr, &mColors);
    dialog.show();
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(FrmPropertiesTest)
#include "frmproperties_test.moc"
