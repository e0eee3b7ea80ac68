#include "scriptedchoosers.h"

#include "fontpreview.h"
#include "frmgettext.h"
#include "frmmain.h"
#include "resizer.h"
#include "surfaceview.h"

#include "fontfamilies.h"
#include "recordingfeedback.h"
#include "settingsstore.h"
#include "texelfont.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

const QString kTitle = QStringLiteral("TexelSmithy v2.0.1");

QString shownInCaption(QString path)
{
    return path.replace(QLatin1Char('-'), QLatin1Char(' '))
        .replace(QLatin1Char('('), QLatin1Char('['))
        .replace(QLatin1Char(')'), QLatin1Char(']'));
}

} // namespace

class FrmMainTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUp();
    void typedSizes();
    void textThatIsNoSizeChangesNothing();
    void sizeChosenFromTheList();
    void styleToggle_data();
    void styleToggle();
    void fontChosenInTheBox();
    void saveAsProposesNameAndShowsPath();
    void failedSaveAsLeavesCaption_data();
    void failedSaveAsLeavesCaption();
    void saveWritesKnownFileWithoutAsking();
    void openAndNew();
    void failedOpenChangesNothing();
    void charsetEditedInTextDialog();
    void backgroundPicture();
    void dialogEntriesDisabledUntilHooked();
    void positionAndSplitterRoundTrip();
    void maximisedKeepsLastNormalPosition();

private:
    QAction *action(const QString &name) const { return mWindow->findChild<QAction *>(name); }
    QComboBox *box(const QString &name) const { return mWindow->findChild<QComboBox *>(name); }
    void leaveSizeBox();
    void typeSize(const QString &text);

    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<SettingsStore> mStore;
    ScriptedChoosers mChoosers;
    RecordingFeedback mFeedback;
    std::unique_ptr<frmMain> mWindow;
};

void FrmMainTest::init()
{
    mFolder = std::make_unique<QTemporaryDir>();
    mStore = std::make_unique<SettingsStore>(mFolder->filePath(QStringLiteral("store.ini")));
    mChoosers = ScriptedChoosers();
    mFeedback = RecordingFeedback();
    mWindow = std::make_unique<frmMain>(*mStore, &mChoosers, &mFeedback);
    mWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(mWindow.get()));
    mWindow->activateOnce();
}

void FrmMainTest::cleanup()
{
    mWindow.reset();
    mStore.reset();
    mFolder.reset();
}

void FrmMainTest::leaveSizeBox()
{
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box(QStringLiteral("cbxSize")), &leave);
}

void FrmMainTest::typeSize(const QString &text)
{
    QLineEdit *edit = box(QStringLiteral("cbxSize"))->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void FrmMainTest::startUp()
{
    TexelFont &font = mWindow->document();
    QString expected = QStringLiteral("Arial");
    if (!installedFontFamilies().contains(expected))
        expected = matchedFontFamily(expected);
    QCOMPARE(font.TTFName(), expected);
    QCOMPARE(box(QStringLiteral("cbxFonts"))->currentText(), expected);
    QCOMPARE(font.Size(), 9.75f);
    QCOMPARE(box(QStringLiteral("cbxSize"))->currentText(), QStringLiteral("9.75"));
    for (const char *name : {"mnuFontItem3", "mnuFontItem4", "mnuFontItem5", "Bold", "Italic", "Underline"})
        QVERIFY2(!action(QLatin1String(name))->isChecked(), name);
    QCOMPARE(mWindow->windowTitle(), kTitle);
    QCOMPARE(font.Name(), font.TTFName());
    QCOMPARE(font.VariableName(), font.CalculateVariableName());

    // The sheet shows the set on the transparent colour; the sample is drawn.
    const auto *sheet = mWindow->findChild<SurfaceView *>(QStringLiteral("picFont"));
    QVERIFY(!sheet->pixels().isNull());
    QCOMPARE(sheet->pixels().pixel(0, 0) & 0xffffff, 0x00ff00u);
    QVERIFY(sheet->message().isEmpty());
    const auto *sample = mWindow->findChild<SurfaceView *>(QStringLiteral("picSample"));
    QVERIFY(!sample->pixels().isNull());
    QCOMPARE(mWindow->preview()->resizer().Position(), 900);
}

void FrmMainTest::typedSizes()
{
    TexelFont &font = mWindow->document();
    const QImage before = mWindow->findChild<SurfaceView *>(QStringLiteral("picFont"))->pixels();
    typeSize(QStringLiteral("1"));
    QCOMPARE(font.Size(), 0.75f); // 1 pt is realised as one pixel
    QTest::keyClicks(box(QStringLiteral("cbxSize"))->lineEdit(), QStringLiteral("2"));
    QCOMPARE(font.Size(), 12.0f);
    QCOMPARE(font.VariableName(), font.CalculateVariableName());
    QVERIFY(font.VariableName().endsWith(QLatin1String("12")));
    QVERIFY(mWindow->findChild<SurfaceView *>(QStringLiteral("picFont"))->pixels() != before);

    typeSize(QStringLiteral("10"));
    QCOMPARE(box(QStringLiteral("cbxSize"))->currentText(), QStringLiteral("10"));
    leaveSizeBox();
    QCOMPARE(font.Size(), 9.75f);
    QCOMPARE(box(QStringLiteral("cbxSize"))->currentText(), QStringLiteral("9.75"));
}

void FrmMainTest::textThatIsNoSizeChangesNothing()
{
    TexelFont &font = mWindow->document();
    typeSize(QStringLiteral("14"));
    QCOMPARE(font.Size(), 14.25f);
    const QString name = font.VariableName();
    for (const char *text : {"abc", "0", "-3", "5000", ""}) {
        box(QStringLiteral("cbxSize"))->setEditText(QLatin1String(text));
        QCOMPARE(font.Size(), 14.25f);
        QCOMPARE(font.VariableName(), name);
        QCOMPARE(box(QStringLiteral("cbxSize"))->currentText(), QLatin1String(text));
    }
    leaveSizeBox();
    QCOMPARE(box(QStringLiteral("cbxSize"))->currentText(), QStringLiteral("14.25"));
}

void FrmMainTest::sizeChosenFromTheList()
{
    TexelFont &font = mWindow->document();
    typeSize(QStringLiteral("20"));
    QCOMPARE(font.Size(), 20.25f);
    QComboBox *size = box(QStringLiteral("cbxSize"));
    const int index = size->findText(QStringLiteral("10"));
    QVERIFY(index >= 0);
    // What a click in the list does: the text changes, then the box reports the choice.
    size->setCurrentIndex(index);
    emit size->activated(index);
    QCOMPARE(font.Size(), 9.75f);
    leaveSizeBox();
    QCOMPARE(size->currentText(), QStringLiteral("9.75"));
}

void FrmMainTest::styleToggle_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("bold") << "mnuFontItem3" << "Bold" << "b";
    QTest::newRow("italic") << "mnuFontItem4" << "Italic" << "i";
    QTest::newRow("underline") << "mnuFontItem5" << "Underline" << "u";
}

void FrmMainTest::styleToggle()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, button);
    QFETCH(QString, suffix);
    TexelFont &font = mWindow->document();
    const auto style = [&] {
        return button == QLatin1String("Bold") ? font.Bold()
            : button == QLatin1String("Italic") ? font.Italic() : font.Underline();
    };
    const auto *sheet = mWindow->findChild<SurfaceView *>(QStringLiteral("picFont"));
    const QImage regular = sheet->pixels();

    action(menuItem)->trigger();
    QVERIFY(style());
    QVERIFY(action(menuItem)->isChecked());
    QVERIFY(action(button)->isChecked());
    QVERIFY(font.VariableName().endsWith(suffix));
    QVERIFY(sheet->pixels() != regular);

    action(button)->trigger(); // the toolbar button flips it back
    QVERIFY(!style());
    QVERIFY(!action(menuItem)->isChecked());
    QVERIFY(!action(button)->isChecked());
    QCOMPARE(font.VariableName(), font.CalculateVariableName());
    QCOMPARE(sheet->pixels(), regular);
}

void FrmMainTest::fontChosenInTheBox()
{
    QComboBox *fonts = box(QStringLiteral("cbxFonts"));
    const int index = fonts->findText(QStringLiteral("DejaVu Serif"));
    if (index < 0)
        QSKIP("DejaVu Serif is not installed");
    TexelFont &font = mWindow->document();
    typeSize(QStringLiteral("12"));
    fonts->setCurrentIndex(index);
    QCOMPARE(font.TTFName(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(font.Name(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(font.VariableName(), QStringLiteral("dejaVuSerif12"));
    QCOMPARE(font.GP32FileName(), font.CalculateGP32FileName());
    QCOMPARE(font.Size(), 12.0f);
}

void FrmMainTest::saveAsProposesNameAndShowsPath()
{
    const QString path = mFolder->filePath(QStringLiteral("my-fonts (1).tsm"));
    mChoosers.saveNames = {path};
    action(QStringLiteral("mnuFileItem2"))->trigger(); // never saved: Save works as Save as
    QCOMPARE(mChoosers.saveRequests.size(), 1);
    QCOMPARE(mChoosers.saveRequests.at(0).fileName, mWindow->document().VariableName() + QStringLiteral(".tsm"));
    QCOMPARE(mChoosers.saveRequests.at(0).defaultSuffix, QStringLiteral(".tsm"));
    QCOMPARE(mChoosers.saveRequests.at(0).filter,
             QStringLiteral("TexelSmithy font (*.tsm)|*.tsm|All files (*.*)|*.*"));
    QVERIFY(QFile::exists(path));
    QCOMPARE(mWindow->document().Filename(), path);
    QCOMPARE(mWindow->windowTitle(), kTitle + QStringLiteral(" - ") + shownInCaption(path));
    QVERIFY(mWindow->windowTitle().endsWith(QLatin1String("my fonts [1].tsm")));
}

void FrmMainTest::failedSaveAsLeavesCaption_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("failures");
    QTest::newRow("cancelled") << QString() << 0;
    QTest::newRow("folder missing") << QStringLiteral("missing/font.tsm") << 1;
}

void FrmMainTest::failedSaveAsLeavesCaption()
{
    QFETCH(QString, answer);
    QFETCH(int, failures);
    const QString first = mFolder->filePath(QStringLiteral("first.tsm"));
    mChoosers.saveNames = {first};
    action(QStringLiteral("mnuFileItem3"))->trigger();
    const QString caption = mWindow->windowTitle();
    QVERIFY(caption.endsWith(QLatin1String("first.tsm")));

    mChoosers.saveNames = {answer.isEmpty() ? answer : mFolder->filePath(answer)};
    action(QStringLiteral("mnuFileItem3"))->trigger();
    QCOMPARE(mWindow->windowTitle(), caption);
    QCOMPARE(mFeedback.failures().size(), failures);
}

void FrmMainTest::saveWritesKnownFileWithoutAsking()
{
    const QString path = mFolder->filePath(QStringLiteral("known.tsm"));
    mChoosers.saveNames = {path};
    action(QStringLiteral("mnuFileItem3"))->trigger();
    mWindow->document().setChars(QStringLiteral("XYZ"));
    action(QStringLiteral("Save"))->trigger();
    QCOMPARE(mChoosers.saveRequests.size(), 1);

    TexelFont reread;
    QVERIFY(reread.Load(path, mFeedback));
    QCOMPARE(reread.Chars(), QStringLiteral("XYZ"));
}

void FrmMainTest::openAndNew()
{
    const QString path = mFolder->filePath(QStringLiteral("bold-(14).tsm"));
    {
        TexelFont stored;
        stored.setTTFName(mWindow->document().TTFName());
        stored.setBold(true);
        stored.setSize(14.25f);
        stored.setChars(QStringLiteral("ABC"));
        stored.setFilename(path);
        QVERIFY(stored.Save(mFeedback));
    }
    mChoosers.openNames = {path};
    action(QStringLiteral("Open"))->trigger();
    QCOMPARE(mChoosers.openRequests.at(0).defaultSuffix, QStringLiteral(".tsm"));
    TexelFont &font = mWindow->document();
    QVERIFY(font.Bold());
    QCOMPARE(font.Chars(), QStringLiteral("ABC"));
    QVERIFY(action(QStringLiteral("mnuFontItem3"))->isChecked());
    QVERIFY(action(QStringLiteral("Bold"))->isChecked());
    QCOMPARE(box(QStringLiteral("cbxSize"))->currentText(), QStringLiteral("14.25"));
    QCOMPARE(mWindow->windowTitle(), kTitle + QStringLiteral(" - ") + shownInCaption(path));

    action(QStringLiteral("mnuFileItem0"))->trigger();
    TexelFont &fresh = mWindow->document();
    QVERIFY(!fresh.Bold());
    QCOMPARE(fresh.Chars(), TexelFont::defaultCharacterSet());
    QCOMPARE(fresh.Size(), 9.75f);
    QVERIFY(fresh.Filename().isEmpty());
    QVERIFY(!action(QStringLiteral("Bold"))->isChecked());
    QCOMPARE(box(QStringLiteral("cbxFonts"))->currentText(), fresh.TTFName());
    QCOMPARE(mWindow->windowTitle(), kTitle);
}

void FrmMainTest::failedOpenChangesNothing()
{
    const QString path = mFolder->filePath(QStringLiteral("not-a-project.tsm"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("hello");
    file.close();
    const QString chars = mWindow->document().Chars();
    mChoosers.openNames = {path};
    action(QStringLiteral("mnuFileItem1"))->trigger();
    QCOMPARE(mFeedback.failures().size(), 1);
    QCOMPARE(mWindow->document().Chars(), chars);
    QCOMPARE(mWindow->windowTitle(), kTitle);

    action(QStringLiteral("mnuFileItem1"))->trigger(); // cancelled
    QCOMPARE(mFeedback.failures().size(), 1);
}

void FrmMainTest::charsetEditedInTextDialog()
{
    const auto *sheet = mWindow->findChild<SurfaceView *>(QStringLiteral("picFont"));
    const QImage before = sheet->pixels();
    QString title;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<frmGetText *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = dialog->windowTitle();
        auto *text = dialog->findChild<QPlainTextEdit *>(QStringLiteral("txtText"));
        QCOMPARE(text->toPlainText(), TexelFont::defaultCharacterSet().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("AB"));
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, QStringLiteral("C"));
        dialog->findChild<QPushButton *>(QStringLiteral("cmdCommands_0"))->click();
    });
    action(QStringLiteral("mnuFontCSItem0"))->trigger();
    QCOMPARE(title, QStringLiteral("Charset"));
    QCOMPARE(mWindow->document().Chars(), QStringLiteral("AB\r\nC"));
    QVERIFY(sheet->pixels() != before);
}

void FrmMainTest::backgroundPicture()
{
    const QString picture = mFolder->filePath(QStringLiteral("back.png"));
    QImage red(20, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(picture));
    const QString notPicture = mFolder->filePath(QStringLiteral("back.txt"));
    QFile text(notPicture);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("no picture");
    text.close();
    auto *sample = mWindow->findChild<SurfaceView *>(QStringLiteral("picSample"));

    mChoosers.openNames = {picture, notPicture};
    action(QStringLiteral("mnuSampleBgItem0"))->trigger();
    QVERIFY(mChoosers.openRequests.at(0).filter.isEmpty()); // the dialog keeps its last filter
    QCOMPARE(mWindow->document().Background, picture);
    QCOMPARE(sample->backgroundPicture().size(), QSize(20, 10));
    QCOMPARE(sample->rendered().pixel(0, 0), QColor(Qt::red).rgb());
    QCOMPARE(sample->rendered().pixel(25, 0), QColor(Qt::white).rgb());

    action(QStringLiteral("mnuSampleBgItem0"))->trigger();
    QCOMPARE(mWindow->document().Background, picture);
    QCOMPARE(sample->backgroundPicture().size(), QSize(20, 10));

    action(QStringLiteral("mnuSampleBgItem1"))->trigger();
    QVERIFY(mWindow->document().Background.isEmpty());
    QVERIFY(sample->backgroundPicture().isNull());
    QCOMPARE(sample->rendered().pixel(0, 0), QColor(Qt::white).rgb());
}

void FrmMainTest::dialogEntriesDisabledUntilHooked()
{
    QAction *properties = action(QStringLiteral("mnuFontItem7"));
    QVERIFY(!properties->isEnabled());
    QVERIFY(!action(QStringLiteral("Properties"))->isEnabled());
    QVERIFY(!action(QStringLiteral("mnuToolsItem1"))->isEnabled());

    TexelFont *handed = nullptr;
    mWindow->setDocumentDialog(frmMain::DocumentDialog::PostProperties, [&](QWidget *, TexelFont &font) {
        handed = &font;
        font.Postprocessed = true;
    });
    QVERIFY(action(QStringLiteral("mnuFontItem8"))->isEnabled());
    action(QStringLiteral("Postprocessing"))->trigger();
    QCOMPARE(handed, &mWindow->document());
    // The names follow the post-processing flag.
    QVERIFY(mWindow->document().VariableName().endsWith(QLatin1String("_p")));

    int toolRuns = 0;
    mWindow->setToolDialog(frmMain::ToolDialog::Converter, [&](QWidget *) { ++toolRuns; });
    action(QStringLiteral("mnuToolsItem1"))->trigger();
    QCOMPARE(toolRuns, 1);
    QVERIFY(!action(QStringLiteral("mnuToolsItem0"))->isEnabled());
}

void FrmMainTest::positionAndSplitterRoundTrip()
{
    mWindow->move(40, 30);
    mWindow->resize(600, 420);
    mWindow->preview()->resizer().ResizeFirstPanel(1500);
    mWindow->close();
    QCOMPARE(mStore->get(QStringLiteral("Forms"), QStringLiteral("Main.Position")),
             QStringLiteral("600,450,9000,6300"));
    QCOMPARE(mStore->get(QStringLiteral("Forms"), QStringLiteral("Main.WindowState")), QStringLiteral("0"));
    QCOMPARE(mStore->get(QStringLiteral("Forms"), QStringLiteral("frmMain.HResizer")), QStringLiteral("1500"));

    frmMain again(*mStore, &mChoosers, &mFeedback);
    QCOMPARE(again.pos(), QPoint(40, 30));
    QCOMPARE(again.size(), QSize(600, 420));
    QCOMPARE(again.preview()->resizer().Position(), 1500);
}

void FrmMainTest::maximisedKeepsLastNormalPosition()
{
    mWindow->close();
    const QString normal = mStore->get(QStringLiteral("Forms"), QStringLiteral("Main.Position"));
    QVERIFY(!normal.isEmpty());

    frmMain maximised(*mStore, &mChoosers, &mFeedback);
    maximised.showMaximized();
    QVERIFY(QTest::qWaitForWindowExposed(&maximised));
    maximised.close();
    QCOMPARE(mStore->get(QStringLiteral("Forms"), QStringLiteral("Main.Position")), normal);
    QCOMPARE(mStore->get(QStringLiteral("Forms"), QStringLiteral("Main.WindowState")), QStringLiteral("2"));

    frmMain restored(*mStore, &mChoosers, &mFeedback);
    QVERIFY(restored.windowState() & Qt::WindowMaximized);
}

QTEST_MAIN(FrmMainTest)
#include "frmmain_test.moc"
