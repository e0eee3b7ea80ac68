#include "scriptedcolors.h"

#include "colorswatch.h"
#include "frmpostproperties.h"
#include "texelfont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class FrmPostPropertiesTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void framesFollowFilledValues_data();
    void framesFollowFilledValues();
    void framesFollowClicks();
    void okStoresWhatTheFramesShow_data();
    void okStoresWhatTheFramesShow();
    void numericFields_data();
    void numericFields();
    void enterAppliesTypedValue();
    void closesWithoutDocument();

private:
    void open();
    template <class T>
    T *control(const QString &name) const
    {
        T *found = mDialog->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    QList<bool> framesEnabled() const;

    std::unique_ptr<TexelFont> mFont;
    ScriptedColors mColors;
    std::unique_ptr<frmPostProperties> mDialog;
};

void FrmPostPropertiesTest::init()
{
    mFont = std::make_unique<TexelFont>();
    mColors = ScriptedColors();
}

void FrmPostPropertiesTest::cleanup()
{
    mDialog.reset();
}

void FrmPostPropertiesTest::open()
{
    mDialog = std::make_unique<frmPostProperties>(nullptr, &mColors);
    mDialog->setTexelFont(mFont.get());
    mDialog->show();
}

// The three frames and one control inside each.
QList<bool> FrmPostPropertiesTest::framesEnabled() const
{
    return {control<QGroupBox>(QStringLiteral("fraPostprocess"))->isEnabled(),
            control<QLineEdit>(QStringLiteral("txtCharWidthInc"))->isEnabled(),
            control<QGroupBox>(QStringLiteral("fraMask"))->isEnabled(),
            control<QCheckBox>(QStringLiteral("chkInvertMask"))->isEnabled(),
            control<QGroupBox>(QStringLiteral("fraShadowMask"))->isEnabled(),
            control<ColorSwatch>(QStringLiteral("lblShadowColor"))->isEnabled()};
}

void FrmPostPropertiesTest::framesFollowFilledValues_data()
{
    QTest::addColumn<bool>("postprocessed");
    QTest::addColumn<bool>("masked");
    QTest::addColumn<bool>("shadow");
    QTest::addColumn<QList<bool>>("enabled");

    const bool t = true;
    const bool f = false;
    QTest::newRow("not postprocessed") << f << t << t << QList<bool>{f, f, f, f, f, f};
    QTest::newRow("postprocessed") << t << f << t << QList<bool>{t, t, f, f, f, f};
    QTest::newRow("generic mask") << t << t << f << QList<bool>{t, t, t, t, f, f};
    QTest::newRow("shadow mask") << t << t << t << QList<bool>{t, t, t, t, t, t};
}

void FrmPostPropertiesTest::framesFollowFilledValues()
{
    QFETCH(bool, postprocessed);
    QFETCH(bool, masked);
    QFETCH(bool, shadow);
    QFETCH(QList<bool>, enabled);

    mFont->Postprocessed = postprocessed;
    mFont->Masked = masked;
    mFont->ShadowMask = shadow;
    open();
    QCOMPARE(mDialog->windowTitle(), QStringLiteral("Postprocessing properties"));
    QCOMPARE(control<QRadioButton>(QStringLiteral("optShadow"))->isChecked(), shadow);
    QCOMPARE(control<QRadioButton>(QStringLiteral("optGeneric"))->isChecked(), !shadow);
    QCOMPARE(framesEnabled(), enabled);
}

void FrmPostPropertiesTest::framesFollowClicks()
{
    open();
    QCOMPARE(framesEnabled(), (QList<bool>{false, false, false, false, false, false}));
    control<QCheckBox>(QStringLiteral("chkPostprocessed"))->click();
    QCOMPARE(framesEnabled(), (QList<bool>{true, true, false, false, false, false}));
    control<QCheckBox>(QStringLiteral("chkMasked"))->click();
    QCOMPARE(framesEnabled(), (QList<bool>{true, true, true, true, false, false}));
    control<QRadioButton>(QStringLiteral("optShadow"))->click();
    QCOMPARE(framesEnabled(), (QList<bool>{true, true, true, true, true, true}));
    control<QCheckBox>(QStringLiteral("chkPostprocessed"))->click();
    QCOMPARE(framesEnabled(), (QList<bool>{false, false, false, false, false, false}));
    control<QCheckBox>(QStringLiteral("chkPostprocessed"))->click();
    QCOMPARE(framesEnabled(), (QList<bool>{true, true, true, true, true, true}));
}

void FrmPostPropertiesTest::okStoresWhatTheFramesShow_data()
{
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<bool>("postprocessed");
    QTest::addColumn<bool>("masked");
    QTest::addColumn<bool>("shadowMask");
    QTest::addColumn<int>("charWidthInc");
    QTest::addColumn<int>("maskWidthInc");
    QTest::addColumn<int>("shadowOX");
    QTest::addColumn<int>("shadowColor");
    QTest::addColumn<bool>("invertMask");

    // The document: post-processed with a shadow mask, every value set, InvertMask false.
    QTest::newRow("postprocessing off") << "chkPostprocessed" << false << false << false << 0 << 0 << 0 << 0 << true;
    QTest::newRow("no mask") << "chkMasked" << true << false << false << 3 << 0 << 0 << 0 << true;
    QTest::newRow("generic mask") << "optGeneric" << true << true << false << 3 << 0 << 0 << 0 << false;
    QTest::newRow("shadow mask") << "" << true << true << true << 3 << -2 << 4 << 0x102030 << false;
}

void FrmPostPropertiesTest::okStoresWhatTheFramesShow()
{
    QFETCH(QString, clicked);
    QFETCH(bool, postprocessed);
    QFETCH(bool, masked);
    QFETCH(bool, shadowMask);
    QFETCH(int, charWidthInc);
    QFETCH(int, maskWidthInc);
    QFETCH(int, shadowOX);
    QFETCH(int, shadowColor);
    QFETCH(bool, invertMask);

    mFont->Postprocessed = mFont->Masked = mFont->ShadowMask = true;
    mFont->InvertMask = false;
    mFont->CharWidthInc = mFont->CharHeightInc = 3;
    mFont->MaskWidthInc = mFont->MaskHeightInc = -2;
    mFont->ShadowOX = mFont->ShadowOY = mFont->ShadowXPos = mFont->ShadowYPos = 4;
    mFont->ShadowColor = 0x102030;
    open();
    if (!clicked.isEmpty())
        control<QAbstractButton>(clicked)->click();
    control<QPushButton>(QStringLiteral("cmdCommands_1"))->click();

    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    QCOMPARE(mFont->Postprocessed, postprocessed);
    QCOMPARE(mFont->Masked, masked);
    QCOMPARE(mFont->ShadowMask, shadowMask);
    QCOMPARE(int(mFont->CharWidthInc), charWidthInc);
    QCOMPARE(int(mFont->CharHeightInc), charWidthInc);
    QCOMPARE(int(mFont->MaskWidthInc), maskWidthInc);
    QCOMPARE(int(mFont->MaskHeightInc), maskWidthInc);
    for (const qint16 value : {mFont->ShadowOX, mFont->ShadowOY, mFont->ShadowXPos, mFont->ShadowYPos})
        QCOMPARE(int(value), shadowOX);
    QCOMPARE(mFont->ShadowColor, Color(shadowColor));
    QCOMPARE(mFont->InvertMask, invertMask);
}

void FrmPostPropertiesTest::numericFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("repaired");

    // The document holds 9 in every field.
    QTest::newRow("increment refuses minus") << "txtCharWidthInc" << "-3" << "3" << "3";
    QTest::newRow("increment 300 reverts") << "txtCharWidthInc" << "300" << "300" << "9";
    QTest::newRow("increment 255") << "txtCharHeightInc" << "255" << "255" << "255";
    QTest::newRow("increment refuses letters") << "txtCharHeightInc" << "x1.5" << "15" << "15";
    QTest::newRow("offset accepts minus") << "txtShadowOX" << "-3" << "-3" << "-3";
    QTest::newRow("offset lone minus") << "txtShadowYPos" << "-" << "-" << "9";
    QTest::newRow("mask increment leading zeros") << "txtMaskHeightInc" << "-007" << "-007" << "-7";
    QTest::newRow("offset above 32767") << "txtShadowXPos" << "99999" << "99999" << "9";
}

void FrmPostPropertiesTest::numericFields()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, repaired);

    mFont->Postprocessed = mFont->Masked = mFont->ShadowMask = true;
    mFont->CharWidthInc = mFont->CharHeightInc = mFont->MaskWidthInc = mFont->MaskHeightInc = 9;
    mFont->ShadowOX = mFont->ShadowOY = mFont->ShadowXPos = mFont->ShadowYPos = 9;
    open();
    auto *edit = control<QLineEdit>(name);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &leave);
    QCOMPARE(edit->text(), repaired);
}

void FrmPostPropertiesTest::enterAppliesTypedValue()
{
    mFont->Postprocessed = mFont->Masked = mFont->ShadowMask = true;
    open();
    auto *edit = control<QLineEdit>(QStringLiteral("txtShadowXPos"));
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-7"));
    QTest::keyClick(edit, Qt::Key_Enter);
    QCOMPARE(mDialog->result(), int(QDialog::Accepted));
    QCOMPARE(mFont->ShadowXPos, qint16(-7));
}

void FrmPostPropertiesTest::closesWithoutDocument()
{
    frmPostProperties dialog(nullptr, &mColors);
    dialog.show();
    QTRY_VERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(FrmPostPropertiesTest)
#include "frmpostproperties_test.moc"
