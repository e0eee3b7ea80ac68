// The font properties and the post-processing properties over a document: their number
// fields, the names that follow what is typed, what "Ok" stores.
#include "clirender.h"
#include "dialogtesting.h"

#include "colorswatch.h"
#include "frmpostproperties.h"
#include "frmproperties.h"

#include <QComboBox>

using namespace Qt::StringLiterals;

// A key given is pressed after typing instead of leaving the field.
struct NumberCase
{
    bool post;
    const char *field, *typed, *shown, *repaired;
    qint16 TexelFont::*member;
    Qt::Key key{};
};
Q_DECLARE_METATYPE(NumberCase)

// No stored file name: the calculated one.
struct NamesCase
{
    QString name, variable, file;
    bool script;
    QString storedName, storedVariable, storedFile;
};
Q_DECLARE_METATYPE(NamesCase)

class PropertiesTest : public DialogTest
{
    Q_OBJECT

    // The three frames of the post-processing dialog and one control inside each: 1 enabled.
    QString framesEnabled() const
    {
        return states(
            {"fraPostprocess", "txtCharWidthInc", "fraMask", "chkInvertMask", "fraShadowMask", "lblShadowColor"}, true);
    }

private slots:
    // Key filters discard keys as typed; leaving the field repairs it silently. Every field holds 5.
    void numberFields_data()
    {
        QTest::addColumn<NumberCase>("c");
        const auto row = [](const char *name, NumberCase c) { QTest::newRow(name) << c; };
        // Properties: the separations.
        row("letters, stop and space refused",
            {false, "txtCharSepExtra", "1a2. x", "12", "12", &TexelFont::CharSepExtra});
        row("lone minus", {false, "txtCharSepExtra", "-", "-", "5", &TexelFont::CharSepExtra});
        row("leading zeros", {false, "txtCharSepExtra", "007", "007", "7", &TexelFont::CharSepExtra});
        row("lowest", {false, "txtCharSepExtra", "-32768", "-32768", "-32768", &TexelFont::CharSepExtra});
        row("above 32767", {false, "txtCharSepExtra", "32768", "32768", "5", &TexelFont::CharSepExtra});
        row("Return applies", {false, "txtLineSepExtra", "12", "12", "12", &TexelFont::LineSepExtra, Qt::Key_Return});
        // Post-processing: increments are unsigned, offsets signed.
        row("increment refuses minus", {true, "txtCharWidthInc", "-3", "3", "3", &TexelFont::CharWidthInc});
        row("increment 300 reverts", {true, "txtCharWidthInc", "300", "300", "5", &TexelFont::CharWidthInc});
        row("increment 255", {true, "txtCharHeightInc", "255", "255", "255", &TexelFont::CharHeightInc});
        row("offset accepts minus", {true, "txtShadowOX", "-3", "-3", "-3", &TexelFont::ShadowOX});
        row("Enter applies", {true, "txtShadowXPos", "-7", "-7", "-7", &TexelFont::ShadowXPos, Qt::Key_Enter});
    }
    void numberFields()
    {
        QFETCH(NumberCase, c);
        mFont->Postprocessed = mFont->Masked = mFont->ShadowMask = true;
        for (auto member : {&TexelFont::CharSepExtra, &TexelFont::LineSepExtra, &TexelFont::CharWidthInc,
                            &TexelFont::CharHeightInc, &TexelFont::MaskWidthInc, &TexelFont::MaskHeightInc,
                            &TexelFont::ShadowOX, &TexelFont::ShadowOY, &TexelFont::ShadowXPos, &TexelFont::ShadowYPos})
            (*mFont).*member = 5;
        if (c.post)
            open<frmPostProperties>();
        else
            open<frmProperties>();
        QLineEdit *edit = control(c.field);
        edit->clear();
        QTest::keyClicks(edit, QLatin1String(c.typed));
        QCOMPARE(edit->text(), QLatin1String(c.shown));
        if (c.key) {
            QTest::keyClick(edit, c.key);
            QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        } else {
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(edit, &leave);
            QCOMPARE(edit->text(), QLatin1String(c.repaired));
            command(1)->click();
        }
        QCOMPARE(int((*mFont).*c.member), atoi(c.repaired));
    }

    // Calculated names follow the typed name; custom ones stay, and the "Default" buttons
    // calculate them all the same. The document's flags change only through "Ok".
    void namesFollowTheTypedName()
    {
        for (const bool custom : {false, true}) {
            mDialog.reset(); // before the document it shows
            mFont = std::make_unique<TexelFont>();
            if (custom) {
                mFont->setVariableName(u"myVar"_s);
                mFont->setGP32FileName(u"myfile"_s);
            }
            open<frmProperties>();
            const QString variableName = control("txtVariableName")->text();
            const QString fileName = control("txtGP32FileName")->text();
            QTest::keyClicks(control("txtName"), u" Bl"_s);
            const QString name = control("txtName")->text();
            QCOMPARE(name, u"Arial Bl"_s);
            const QString calculated = mFont->CalculateVariableName(name);
            QCOMPARE(control("txtVariableName")->text(), custom ? variableName : calculated);
            QCOMPARE(control("txtGP32FileName")->text(),
                     custom ? fileName : mFont->CalculateGP32FileName(name, calculated, 1, 0, 0));
            control<QCheckBox>("chkScript")->click();
            command(2)->click();
            QCOMPARE(control("txtVariableName")->text(), calculated);
            command(3)->click();
            QCOMPARE(control("txtGP32FileName")->text(), mFont->CalculateGP32FileName(name, calculated, 1, 0, 1));
            QCOMPARE(mFont->CustomVariableName, custom);
            command(1)->click();
            QVERIFY(!mFont->CustomVariableName && !mFont->CustomGP32FileName && mFont->Script);
            // Room for a derived name of 24 characters.
            QLineEdit *variable = control("txtVariableName");
            QVERIFY(variable->contentsRect().width()
                    > variable->fontMetrics().horizontalAdvance(u"dejaVuSansCondensed12biu"_s));
        }
    }

    void okNormalisesNames_data()
    {
        QTest::addColumn<NamesCase>("c");
        QTest::newRow("spaces only: the face name") << NamesCase{u"   "_s, {}, {}, false, u"Arial"_s, u"arial10"_s, {}};
        QTest::newRow("name trimmed") << NamesCase{u"  My Font "_s, {}, {}, false, u"My Font"_s, u"myFont10"_s, {}};
        QTest::newRow("empty names: the document's")
            << NamesCase{u"Arial"_s, u" "_s, u"  "_s, false, u"Arial"_s, u"arial10"_s, {}};
        QTest::newRow("variable name without spaces")
            << NamesCase{u"Arial"_s, u"my font"_s, {}, false, u"Arial"_s, u"myfont"_s, {}};
        QTest::newRow("file name without spaces")
            << NamesCase{u"Arial"_s, {}, u"My Fnt"_s, false, u"Arial"_s, u"arial10"_s, u"myfnt"_s};
        QTest::newRow("ticked flag keeps the calculated file name")
            << NamesCase{u"Arial"_s, {}, {}, true, u"Arial"_s, u"arial10"_s, {}};
    }
    void okNormalisesNames()
    {
        QFETCH(NamesCase, c);
        open<frmProperties>();
        control("txtName")->setText(c.name);
        if (!c.variable.isEmpty())
            control("txtVariableName")->setText(c.variable);
        if (!c.file.isEmpty())
            control("txtGP32FileName")->setText(c.file);
        if (c.script)
            control<QCheckBox>("chkScript")->click();
        command(1)->click();
        QCOMPARE(mDialog->result(), int(QDialog::Accepted));
        QCOMPARE(mFont->Name(), c.storedName);
        QCOMPARE(mFont->VariableName(), c.storedVariable);
        QCOMPARE(mFont->Script, c.script);
        QCOMPARE(mFont->GP32FileName(), c.storedFile.isEmpty() ? mFont->CalculateGP32FileName() : c.storedFile);
        QCOMPARE(mFont->CustomGP32FileName, !c.storedFile.isEmpty());
    }

    // The chosen colour reaches the document through "Ok" only; a cancelled colour dialog
    // keeps the swatch.
    void chosenColour()
    {
        for (const auto &[button, stored] : {std::pair{0, 0x00FF00}, {1, 0x123456}}) {
            open<frmProperties>();
            auto *swatch = control<ColorSwatch>("lblTransColor");
            choosers().colors = {Color(0x123456)};
            choosers().colorRequests.clear();
            QTest::mouseClick(swatch, Qt::LeftButton);
            QTest::mouseClick(swatch, Qt::LeftButton);
            QCOMPARE(choosers().colorRequests, (QList<Color>{0x00FF00, 0x123456}));
            QCOMPARE(swatch->color(), Color(0x123456));
            QCOMPARE(mFont->TransColor, Color(0x00FF00));
            command(button)->click();
            QCOMPARE(mFont->TransColor, Color(stored));
        }
    }

    // The code page box shows the document's page and stores the chosen one through "Ok" only.
    void codePageChosen()
    {
        mFont->setCodePage(CodePage::Koi8R);
        for (const auto &[button, stored] : {std::pair{0, CodePage::Koi8R}, {1, CodePage::Iso8859_7}}) {
            open<frmProperties>();
            auto *box = control<QComboBox>("cbxCodePage");
            QCOMPARE(box->currentText(), u"KOI8-R"_s);
            QCOMPARE(box->count(), allCodePages().size());
            box->setCurrentIndex(box->findText(u"ISO-8859-7"_s));
            QCOMPARE(mFont->CodePage(), CodePage::Koi8R);
            command(button)->click();
            QCOMPARE(mFont->CodePage(), stored);
        }
    }

    // Smooth edges change pixels only with a generic alpha mask; elsewhere the box is not
    // offered, says why, and keeps what the document holds.
    void smoothNeedsAGenericMask()
    {
        // Masked, ShadowMask, Smooth; then the box enabled, the note shown, Smooth after "Ok".
        const std::tuple<bool, bool, bool, bool, bool, bool> rows[] = {{false, false, false, false, true, false},
                                                                       {false, false, true, false, true, true},
                                                                       {true, true, true, false, true, true},
                                                                       {true, false, false, true, false, false}};
        for (const auto &[masked, shadow, smooth, enabled, noted, stored] : rows) {
            mFont->Postprocessed = true;
            mFont->Masked = masked;
            mFont->ShadowMask = shadow;
            mFont->setSmooth(smooth);
            open<frmProperties>();
            QCOMPARE(control<QWidget>("chkSmooth")->isEnabled(), enabled);
            QCOMPARE(control<QWidget>("lblSmoothNote")->isVisibleTo(mDialog.get()), noted);
            QVERIFY(control<QLabel>("lblSmoothNote")->text().contains(u"Generic alpha mask"_s));
            command(1)->click();
            QCOMPARE(mFont->Smooth(), stored);
        }
    }

    void framesFollowClicks()
    {
        open<frmPostProperties>();
        QCOMPARE(framesEnabled(), u"000000"_s);
        for (const auto &[clicked, enabled] : {std::pair{"chkPostprocessed", "110000"},
                                               {"chkMasked", "111100"},
                                               {"optShadow", "111111"},
                                               {"chkPostprocessed", "000000"},
                                               {"chkPostprocessed", "111111"}}) {
            control<QAbstractButton>(clicked)->click();
            QCOMPARE(framesEnabled(), QLatin1String(enabled));
        }
    }

    // "Ok" stores the reset value of every setting that a disabled frame hides. The document:
    // post-processed with a shadow mask, every value set, InvertMask false.
    void okStoresWhatTheFramesShow()
    {
        TexelFont &f = *mFont;
        const auto settings = [&f] {
            return QList<int>{f.Postprocessed, f.CharWidthInc, f.CharHeightInc, f.Masked,   f.ShadowMask,
                              f.InvertMask,    f.MaskWidthInc, f.MaskHeightInc, f.ShadowOX, f.ShadowOY,
                              f.ShadowXPos,    f.ShadowYPos,   f.ShadowColor};
        };
        // The control clicked (none: the shadow mask stays), and what is stored, in the order of settings().
        const std::pair<const char *, QList<int>> rows[] = {
            {"chkPostprocessed", {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
            {"chkMasked", {1, 3, 3, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
            {"optGeneric", {1, 3, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
            {nullptr, {1, 3, 3, 1, 1, 0, -2, -2, 4, 4, 4, 4, 0x102030}}};
        for (const auto &[clicked, stored] : rows) {
            f.Postprocessed = f.Masked = f.ShadowMask = true;
            f.InvertMask = false;
            f.CharWidthInc = f.CharHeightInc = 3;
            f.MaskWidthInc = f.MaskHeightInc = -2;
            f.ShadowOX = f.ShadowOY = f.ShadowXPos = f.ShadowYPos = 4;
            f.ShadowColor = 0x102030;
            open<frmPostProperties>();
            if (clicked)
                control<QAbstractButton>(clicked)->click();
            command(1)->click();
            QCOMPARE(mDialog->result(), int(QDialog::Accepted));
            QCOMPARE(settings(), stored);
        }
    }

    // The command line reaches what the two dialogs make: a smooth masked font with names,
    // spacing and flags of its own, made by new, bitmaps and export, equals byte for byte the
    // project and the font that the dialogs' settings give through the same routines.
    void commandLineMakesWhatTheDialogsMake()
    {
        const QStringList font{u"--font"_s, u"DejaVu Sans"_s, u"--size"_s, u"12"_s, u"--chars"_s, u"AbgQ"_s};
        QCOMPARE(runCli(QStringList{u"new"_s, u"-o"_s, path(u"base.tsm"_s)} + font), QString());
        RasterSurface measure, work;
        QVERIFY(mFont->Load(path(u"base.tsm"_s), feedback(), &measure));
        open<frmProperties>();
        control("txtName")->setText(u"Title"_s);
        control("txtCharSepExtra")->setText(u"2"_s);
        control("txtLineSepExtra")->setText(u"-1"_s);
        click({"chkSerif", "chkProportional"});
        command(1)->click();
        open<frmPostProperties>();
        click({"chkPostprocessed", "chkMasked"});
        control("txtCharWidthInc")->setText(u"1"_s);
        control("txtCharHeightInc")->setText(u"2"_s);
        command(1)->click();
        open<frmProperties>();
        click({"chkSmooth"});
        command(1)->click();
        PostprocessOptions bitmaps{path(u"w.bmp"_s), path(u"w_mask.bmp"_s)};
        QVERIFY(ExportPostprocessBitmaps(*mFont, work, bitmaps, feedback()));
        ZgfExportOptions options{path(u"w.zgf"_s), true, bitmaps.bitmapFileName, bitmaps.maskFileName};
        QVERIFY(ExportZgfFont(*mFont, work, options, feedback()));

        const QString project = path(u"c.tsm"_s), bitmap = path(u"c.bmp"_s), zgf = path(u"c.zgf"_s);
        QCOMPARE(runCli(QStringList{u"new"_s, u"-o"_s, project, u"--name"_s, u"Title"_s, u"--char-sep"_s, u"2"_s,
                                    u"--line-sep"_s, u"-1"_s, u"--serif"_s, u"--fixed"_s, u"--postprocessed"_s,
                                    u"--masked"_s, u"--char-inc"_s, u"1,2"_s, u"--smooth"_s}
                        + font),
                 QString());
        QCOMPARE(readFile(project), mFont->projectBytes());
        QCOMPARE(runCli({u"bitmaps"_s, project, u"--bitmap"_s, bitmap}), QString());
        QCOMPARE(runCli({u"export"_s, project, u"--bitmap"_s, bitmap, u"-o"_s, zgf}), QString());
        QCOMPARE(readFile(path(u"c_mask.bmp"_s)), readFile(bitmaps.maskFileName));
        QCOMPARE(readFile(zgf), readFile(options.zgfFileName));
        QVERIFY(mFont->Masked && mFont->Smooth() && mFont->Serif && !mFont->Proportional);
    }
};

QTEST_MAIN(PropertiesTest)
#include "properties_test.moc"
