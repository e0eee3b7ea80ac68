#include "scriptedchoosers.h"
#include "exportedfonts.h"
#include "scriptedcolors.h"

#include "colorswatch.h"
#include "dialoglaunchers.h"
#include "frmextractor.h"
#include "frmmain.h"
#include "frmviewer.h"
#include "settingsstore.h"
#include "startupfile.h"
#include "zgfchargrid.h"
#include "zgffacts.h"
#include "zgffont.h"
#include "zgfpictures.h"
#include "zoomview.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <functional>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
}

QImage grabbed(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Runs action while a modal dialog is to be shown; once it is, look is called with it and
// the dialog is closed. Returns whether a dialog was shown.
bool whileModal(const std::function<void()> &action, const std::function<void(QWidget *)> &look)
{
    bool shown = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            poll.stop();
            shown = true;
            look(modal);
            modal->close();
        }
    });
    poll.start();
    action();
    return shown;
}

} // namespace

class FrmViewerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showsExportedFontsAsTheCliDrawsThem_data();
    void showsExportedFontsAsTheCliDrawsThem();
    void factsSpellOutTheHeader_data();
    void factsSpellOutTheHeader();
    void refusesMalformedFiles_data();
    void refusesMalformedFiles();
    void hoveringACellDescribesTheCharacter();
    void extractorViewShowsTheEmbeddedFont();
    void commandLineOpensFontsInTheViewerAndProjects();

private:
    QString font(const char *name) const { return mFonts.value(QLatin1String(name)); }
    QString path(const QString &name) const { return mWork->filePath(name); }
    template <class T> T *child(const char *name) const
    {
        return mViewer->findChild<T *>(QLatin1String(name));
    }

    QTemporaryDir mShared;
    QHash<QString, QString> mFonts;
    std::unique_ptr<QTemporaryDir> mWork;
    ScriptedChoosers mChoosers;
    RecordingFeedback mFeedback;
    ScriptedColors mColors;
    std::unique_ptr<frmViewer> mViewer;
};

void FrmViewerTest::initTestCase()
{
    QVERIFY(mShared.isValid());
    const QDir folder(mShared.path());
    for (const bool rle : {false, true}) {
        for (const bool masked : {false, true}) {
            ExportedFontSpec wanted;
            wanted.size = 11;
            wanted.rle = rle;
            wanted.masked = masked;
            const QString name = QLatin1String(rle ? "rle" : "raw") + QLatin1String(masked ? "-masked" : "");
            mFonts.insert(name, exportFont(wanted, folder, name + QStringLiteral(".zgf")));
            QVERIFY2(!mFonts.value(name).isEmpty(), qPrintable(name));
        }
    }
}

void FrmViewerTest::init()
{
    mWork = std::make_unique<QTemporaryDir>();
    mChoosers = ScriptedChoosers();
    mFeedback = RecordingFeedback();
    mColors = ScriptedColors();
    mViewer = std::make_unique<frmViewer>(nullptr, &mChoosers, &mFeedback, &mColors);
    mViewer->show();
}

void FrmViewerTest::cleanup()
{
    mViewer.reset();
    QCOMPARE(mFeedback.busyDepth, 0);
}

void FrmViewerTest::showsExportedFontsAsTheCliDrawsThem_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"raw", "rle", "raw-masked", "rle-masked"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void FrmViewerTest::showsExportedFontsAsTheCliDrawsThem()
{
    QFETCH(QString, name);
    const QString file = mFonts.value(name);
    const QDir out(mWork->path());
    mChoosers.openNames.append(file);
    child<QToolButton>("picBrowse_0")->click();
    QVERIFY(mFeedback.failures().isEmpty());
    QCOMPARE(child<QLineEdit>("txtFilename")->text(), file);
    QCOMPARE(mChoosers.openRequests.constFirst().defaultSuffix, QStringLiteral(".zgf"));

    QCOMPARE(mViewer->glyphImage(), cliRender(file, {}, out));
    const bool masked = name.endsWith(QLatin1String("masked"));
    QCOMPARE(child<QWidget>("fraMask")->isVisible(), masked);
    if (masked)
        QCOMPARE(mViewer->maskImage(), cliRender(file, {QStringLiteral("--mask")}, out));

    // Characters the font lacks ("~" is not in the default set) take the default width.
    const QString text = QStringLiteral("Ab~ 9,\nqy?");
    child<QPlainTextEdit>("txtSample")->setPlainText(text);
    QCOMPARE(mViewer->sampleImage(), cliRender(file, {QStringLiteral("--text"), text}, out));

    mColors.answers.append(Color(0x336699));
    QTest::mouseClick(child<ColorSwatch>("lblBackColor"), Qt::LeftButton);
    QVERIFY(child<QRadioButton>("optColor")->isChecked());
    const QStringList plain{QStringLiteral("--text"), text, QStringLiteral("--background"), QStringLiteral("996633")};
    QCOMPARE(mViewer->sampleImage(), cliRender(file, plain, out));

    // At 3x every pixel is a 3 x 3 block, on screen as in the tool's enlargement.
    mViewer->setZoom(3);
    QCOMPARE(child<QComboBox>("cbxZoom")->currentText(), QStringLiteral("3x"));
    QCOMPARE(grabbed(child<ZoomView>("picGlyphs")), cliRender(file, {QStringLiteral("--scale"), QStringLiteral("3")}, out));
    QCOMPARE(grabbed(child<ZoomView>("picSample")),
             cliRender(file, plain + QStringList{QStringLiteral("--scale"), QStringLiteral("3")}, out));
}

void FrmViewerTest::factsSpellOutTheHeader_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("coding");
    QTest::addColumn<QString>("mask");
    QTest::newRow("raw") << QStringLiteral("raw") << QStringLiteral("161: 16-bit pixels, indent tables, proportional")
                         << QStringLiteral("RAW") << QString();
    QTest::newRow("rle-masked") << QStringLiteral("rle-masked")
                                << QStringLiteral("175: 16-bit pixels, RLE image, mask, RLE mask, indent tables, proportional")
                                << QStringLiteral("RLE") << QStringLiteral("RLE");
}

void FrmViewerTest::factsSpellOutTheHeader()
{
    QFETCH(QString, name);
    QFETCH(QString, flags);
    QFETCH(QString, coding);
    QFETCH(QString, mask);
    QVERIFY(mViewer->openFile(mFonts.value(name)));
    const ZgfFont &zgf = *mViewer->zgfFont();

    QHash<QString, QString> facts;
    const QList<ZgfFacts::Line> lines = ZgfFacts::of(zgf);
    for (int i = 0; i < lines.size(); ++i) {
        facts.insert(lines.at(i).label, lines.at(i).value);
        // The dialog shows the lines as they are.
        QCOMPARE(child<QLabel>(qPrintable(QStringLiteral("lblFact_%1").arg(i)))->text(), lines.at(i).value);
    }
    QCOMPARE(facts.value(QStringLiteral("Face name")), QStringLiteral("DejaVu Sans"));
    QCOMPARE(facts.value(QStringLiteral("Point size")), QStringLiteral("11"));
    QCOMPARE(facts.value(QStringLiteral("Flags")), flags);
    QCOMPARE(facts.value(QStringLiteral("Glyph image")),
             QStringLiteral("%1, %2 x %3 pixels").arg(coding).arg(zgf.imageWidth()).arg(zgf.imageHeight()));
    QCOMPARE(facts.value(QStringLiteral("Mask")),
             mask.isEmpty() ? QStringLiteral("none")
                            : QStringLiteral("%1, %2 x %3 pixels (cells +2 wide, +1 high)")
                                  .arg(mask).arg(zgf.imageWidth() + 2 * 130).arg(zgf.imageHeight() + 1));
    QCOMPARE(facts.value(QStringLiteral("Characters")), QStringLiteral("130"));
    QCOMPARE(facts.value(QStringLiteral("Separations")), QStringLiteral("characters 0, lines %1").arg(zgf.header().LineSep));
    QCOMPARE(facts.value(QStringLiteral("Transparent colour")), QStringLiteral("#00FF00"));
    QVERIFY(facts.value(QStringLiteral("File")).startsWith(QStringLiteral("%1 bytes, glyph data at 596").arg(zgf.header().FileLength)));
    QVERIFY(mViewer->windowTitle().endsWith(QStringLiteral(" - DejaVu Sans 11")));
}

void FrmViewerTest::refusesMalformedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QByteArray good = readAll(font("rle-masked"));
    const ZgfHeader h = ZgfHeader::fromBytes(good.constData(), good.size());
    const auto patched = [&good](int offset, const QByteArray &bytes) {
        QByteArray copy = good;
        return copy.replace(offset, bytes.size(), bytes);
    };
    const auto le32 = [](qint32 value) {
        QByteArray bytes(4, '\0');
        qToLittleEndian(value, bytes.data());
        return bytes;
    };
    QTest::newRow("empty") << QByteArray() << QStringLiteral("fewer than the 76");
    QTest::newRow("header only") << good.left(76) << QStringLiteral("truncated");
    QTest::newRow("cut in the glyph image") << good.left(h.GlyphOffset + 10) << QStringLiteral("truncated");
    QTest::newRow("one byte short") << good.chopped(1) << QStringLiteral("truncated");
    QTest::newRow("not a font") << QByteArray(200, 'Z') << QStringLiteral("no ZGF signature");
    QTest::newRow("version 2") << patched(4, QByteArray(1, '\2')) << QStringLiteral("version 2");
    QTest::newRow("glyph offset off by one") << patched(44, le32(h.GlyphOffset + 1))
                                             << QStringLiteral("glyph data offset");
    QTest::newRow("a width changed") << patched(76 + h.Count, QByteArray(1, char(good.at(76 + h.Count) + 1)))
                                     << QStringLiteral("add up");
    QTest::newRow("mask offset past the end") << patched(48, le32(h.FileLength + 1)) << QStringLiteral("mask data offset");
    QTest::newRow("glyph runs overflow their rows") << patched(h.GlyphOffset, QByteArray(64, '\xFF'))
                                                    << QStringLiteral("glyph image");
}

void FrmViewerTest::refusesMalformedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString good = font("raw");
    QVERIFY(mViewer->openFile(good));
    const QImage shown = mViewer->glyphImage();

    const QString bad = path(QStringLiteral("bad.zgf"));
    writeAll(bad, bytes);
    QVERIFY(!mViewer->openFile(bad));
    const QStringList failures = mFeedback.failures();
    QCOMPARE(failures.size(), 1);
    QVERIFY2(failures.constFirst().startsWith(QStringLiteral("321: Invalid file format: ") + bad), qPrintable(failures.constFirst()));
    QVERIFY2(failures.constFirst().contains(expected), qPrintable(failures.constFirst()));
    // The font shown before stays.
    QCOMPARE(child<QLineEdit>("txtFilename")->text(), good);
    QCOMPARE(mViewer->glyphImage(), shown);

    QVERIFY(!mViewer->openFile(path(QStringLiteral("missing.zgf"))));
    QVERIFY(mFeedback.failures().constLast().startsWith(QStringLiteral("53: ")));
}

void FrmViewerTest::hoveringACellDescribesTheCharacter()
{
    QVERIFY(mViewer->openFile(font("raw")));
    const ZgfFont &zgf = *mViewer->zgfFont();
    auto *grid = child<ZgfCharGrid>("picChars");
    auto *label = child<QLabel>("lblCharacter");
    QVERIFY(QTest::qWaitForWindowExposed(mViewer.get()));
    QVERIFY(grid->columns() > 1);

    const auto moveTo = [grid](const QPoint &point) {
        QMouseEvent move(QEvent::MouseMove, point, grid->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    };
    // The default set starts with the digits: "A" is the eleventh character.
    const QRect cell = grid->cellRect(10);
    QCOMPARE(grid->indexAt(cell.center()), 10);
    moveTo(cell.center());
    QCOMPARE(label->text(), QStringLiteral("A   code 65 (0x41)   width %1   left indent %2, right indent %3")
                                .arg(zgf.charWidth(10)).arg(zgf.leftIndent(10)).arg(zgf.rightIndent(10)));

    // Past the last cell of the last row there is no character.
    const QRect last = grid->cellRect(zgf.count() - 1);
    const QPoint beyond(last.right() + 2, last.center().y());
    QCOMPARE(grid->indexAt(beyond), -1);
    moveTo(beyond);
    QVERIFY(label->text().startsWith(QStringLiteral("Point at a character")));
}

void FrmViewerTest::extractorViewShowsTheEmbeddedFont()
{
    const QByteArray fontBytes = readAll(font("rle-masked"));
    const QString program = path(QStringLiteral("program.fxe"));
    writeAll(program, QByteArray(777, '\x55') + fontBytes + QByteArray(300, '\x66'));

    frmExtractor extractor(nullptr, &mChoosers, &mFeedback);
    extractor.show();
    mChoosers.openNames.append(program);
    extractor.findChild<QToolButton *>(QStringLiteral("picBrowse_0"))->click();
    auto *list = extractor.findChild<QTreeWidget *>(QStringLiteral("lvwFonts"));
    QCOMPARE(list->topLevelItemCount(), 1);
    auto *view = extractor.findChild<QPushButton *>(QStringLiteral("cmdCommands_2"));
    QCOMPARE(view->text(), QStringLiteral("View"));
    QVERIFY(!view->isEnabled());
    list->setCurrentItem(list->topLevelItem(0));
    QVERIFY(view->isEnabled());

    QImage shown;
    QString source;
    QString offset;
    const bool opened = whileModal([view] { view->click(); }, [&](QWidget *modal) {
        auto *viewer = qobject_cast<frmViewer *>(modal);
        QVERIFY(viewer);
        shown = viewer->glyphImage();
        source = viewer->findChild<QLineEdit *>(QStringLiteral("txtFilename"))->text();
        offset = viewer->findChild<QLabel *>(QStringLiteral("lblOffset"))->text();
    });
    QVERIFY(opened);
    QCOMPARE(shown, ZgfPictures::glyphImage(ZgfFont::read(fontBytes)));
    QCOMPARE(source, program);
    QCOMPARE(offset, QStringLiteral("at offset 777"));
    QVERIFY(mFeedback.failures().isEmpty());

    // A font whose header passes the scan but whose body is cut short is refused.
    writeAll(program, QByteArray(20, '\x55') + fontBytes.left(fontBytes.size() - 40));
    mChoosers.openNames.append(program);
    extractor.findChild<QToolButton *>(QStringLiteral("picBrowse_0"))->click();
    list->setCurrentItem(list->topLevelItem(0));
    view->click();
    QCOMPARE(mFeedback.failures().size(), 1);
    QVERIFY2(mFeedback.failures().constFirst().contains(program + QStringLiteral(" at offset 20: the file is truncated")),
             qPrintable(mFeedback.failures().constFirst()));
}

void FrmViewerTest::commandLineOpensFontsInTheViewerAndProjects()
{
    SettingsStore store(path(QStringLiteral("settings.ini")));
    frmMain window(store, &mChoosers, &mFeedback);
    window.show();

    // The file name's case does not matter: FONT.ZGF is a font too.
    const QString zgf = path(QStringLiteral("FONT.ZGF"));
    QVERIFY(QFile::copy(font("raw"), zgf));
    QString shownFace;
    const bool viewerShown = whileModal([&] { QVERIFY(openStartupFile(window, zgf)); }, [&](QWidget *modal) {
        auto *viewer = qobject_cast<frmViewer *>(modal);
        QVERIFY(viewer);
        shownFace = viewer->zgfFont()->header().faceNameText();
    });
    QVERIFY(viewerShown);
    QCOMPARE(shownFace, QStringLiteral("DejaVu Sans"));

    window.document().setSize(20.25f);
    window.document().setFilename(path(QStringLiteral("big.tsm")));
    QVERIFY(window.document().Save(mFeedback));
    window.document().setSize(9.75f);
    QVERIFY(openStartupFile(window, path(QStringLiteral("big.tsm"))));
    QCOMPARE(window.document().Size(), 20.25f);
    QVERIFY(window.windowTitle().contains(QStringLiteral("big.tsm")));

    QVERIFY(!openStartupFile(window, path(QStringLiteral("missing.tsm"))));
    QVERIFY(mFeedback.failures().constLast().startsWith(QStringLiteral("53: ")));

    // Tools > ZGF Font Viewer... works once the viewer is hooked in.
    auto *entry = window.findChild<QAction *>(QStringLiteral("mnuToolsItem2"));
    QCOMPARE(entry->text(), QStringLiteral("ZGF Font &Viewer..."));
    QVERIFY(!entry->isEnabled());
    window.setToolDialog(frmMain::ToolDialog::Viewer, toolDialog<frmViewer>());
    QVERIFY(entry->isEnabled());
    QString caption;
    QVERIFY(whileModal([entry] { entry->trigger(); }, [&caption](QWidget *modal) { caption = modal->windowTitle(); }));
    QCOMPARE(caption, QStringLiteral("ZGF Font Viewer"));
}

QTEST_MAIN(FrmViewerTest)
#include "frmviewer_test.moc"
