// Sample > Preview as exported: the sample pane against what texelsmithy-cli draws from the
// font it exports.
#include "../tools/exportedfonts.h"
#include "scriptedchoosers.h"

#include "fontpreview.h"
#include "frmmain.h"
#include "surfaceview.h"

#include "postprocessnames.h"
#include "recordingfeedback.h"
#include "settingsstore.h"
#include "texelfont.h"

#include <QAction>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

namespace {

enum class Setup { Plain, Styled, EditedByHand };

} // namespace

class ExportedPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void equalsTheCliRenderOfTheExportedFont_data();
    void equalsTheCliRenderOfTheExportedFont();
    void missingEditedBitmapIsNamedInThePane();
    void maskedFontNeedsNoMaskBitmap();
    void togglingOffDrawsWithThePlatformAgain();
    void onlyAChangedFontIsBuiltAgain();

private:
    QAction *toggle() const { return mWindow->findChild<QAction *>(QStringLiteral("mnuSampleItem3")); }
    SurfaceView *pane() const { return mWindow->findChild<SurfaceView *>(QStringLiteral("picSample")); }
    TexelFont &document() const { return mWindow->document(); }
    QString path(const QString &name) const { return mFolder->filePath(name); }

    QDir mStartFolder;
    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<SettingsStore> mStore;
    ScriptedChoosers mChoosers;
    RecordingFeedback mFeedback;
    std::unique_ptr<frmMain> mWindow;
};

void ExportedPreviewTest::initTestCase()
{
    mStartFolder = QDir::current();
}

void ExportedPreviewTest::init()
{
    mFolder = std::make_unique<QTemporaryDir>();
    // Edited bitmaps are read by the names the export proposes, in the current folder; the
    // command-line tool runs there too.
    QDir::setCurrent(mFolder->path());
    mStore = std::make_unique<SettingsStore>(path(QStringLiteral("store.ini")));
    mFeedback = RecordingFeedback();
    mWindow = std::make_unique<frmMain>(*mStore, &mChoosers, &mFeedback);
    mWindow->resize(900, 640);
    mWindow->show();
    mWindow->activateOnce();
    document().setTTFName(QStringLiteral("DejaVu Sans"));
    document().setSize(14.25f);
    document().setVariableName(QStringLiteral("preview"));
    document().SampleText = QStringLiteral("Hello, GP32!\r\nMissing: ~ and \u00E9 too");
}

void ExportedPreviewTest::cleanup()
{
    mWindow.reset();
    QDir::setCurrent(mStartFolder.path());
}

void ExportedPreviewTest::equalsTheCliRenderOfTheExportedFont_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::newRow("plain") << Setup::Plain;
    QTest::newRow("bold italic, spaced, coloured") << Setup::Styled;
    QTest::newRow("post-processed and masked, edited by hand") << Setup::EditedByHand;
}

void ExportedPreviewTest::equalsTheCliRenderOfTheExportedFont()
{
    QFETCH(Setup, setup);
    TexelFont &font = document();
    if (setup == Setup::Styled) {
        font.setBold(true);
        font.setItalic(true);
        font.CharWidthInc = 3;
        font.CharSepExtra = -1;
        font.LineSepExtra = 4;
        font.Color = 0x2E6BC4; // levels that 5 bits cannot hold exactly
    }
    const QString project = path(QStringLiteral("doc.tsm"));
    if (setup == Setup::EditedByHand) {
        font.Postprocessed = true;
        font.Masked = true;
    }
    font.setFilename(project);
    QVERIFY(font.Save(mFeedback));
    if (setup == Setup::EditedByHand) {
        QCOMPARE(runCli({QStringLiteral("bitmaps"), project}), QString());
        QImage edited(proposedBitmapFileName(font));
        QVERIFY(!edited.isNull());
        QPainter painter(&edited);
        painter.fillRect(0, edited.height() - 2, edited.width(), 1, QColor(200, 40, 40));
        painter.end();
        QVERIFY(edited.save(proposedBitmapFileName(font), "BMP"));
    }

    toggle()->trigger();
    QVERIFY(toggle()->isChecked());
    QVERIFY(mWindow->preview()->previewAsExported());
    QVERIFY2(pane()->message().isEmpty(), qPrintable(pane()->message()));
    const QImage shown = pane()->rendered();

    const QString zgf = path(QStringLiteral("doc.zgf"));
    QCOMPARE(runCli({QStringLiteral("export"), project, QStringLiteral("-o"), zgf}), QString());
    const QImage drawn = cliRender(zgf, {QStringLiteral("--text"), font.SampleText, QStringLiteral("--background"),
                                         QStringLiteral("FFFFFF")}, QDir(mFolder->path()));
    QVERIFY(!drawn.isNull());
    QVERIFY(drawn.width() < shown.width() && drawn.height() < shown.height());
    QCOMPARE(shown.copy(drawn.rect()), drawn);
    // Beyond the text the pane stays white.
    QImage rest = shown;
    QPainter(&rest).fillRect(drawn.rect(), Qt::white);
    QImage white(rest.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QCOMPARE(rest, white);
}

void ExportedPreviewTest::missingEditedBitmapIsNamedInThePane()
{
    document().Postprocessed = true;
    toggle()->trigger();
    const QString expected = QFileInfo(proposedBitmapFileName(document())).absoluteFilePath();
    QVERIFY2(pane()->message().contains(expected + QStringLiteral(" that the export would read is missing")),
             qPrintable(pane()->message()));
    QVERIFY(mFeedback.messages.isEmpty());
}

void ExportedPreviewTest::maskedFontNeedsNoMaskBitmap()
{
    document().Masked = true;
    toggle()->trigger();
    QVERIFY2(pane()->message().isEmpty(), qPrintable(pane()->message()));
    QVERIFY(!QFileInfo::exists(proposedMaskFileName(document())));
}

void ExportedPreviewTest::togglingOffDrawsWithThePlatformAgain()
{
    mWindow->preview()->DrawSample();
    const QImage platform = pane()->rendered();
    // A character outside the set is a space on the platform, the default width as exported.
    document().SampleText = QStringLiteral("a~a");
    mWindow->preview()->DrawSample();
    const QImage platformMissing = pane()->rendered();
    toggle()->trigger();
    QVERIFY(pane()->rendered() != platformMissing);
    toggle()->trigger();
    QVERIFY(!toggle()->isChecked());
    QCOMPARE(pane()->rendered(), platformMissing);
    QVERIFY(platform != platformMissing);
}

void ExportedPreviewTest::onlyAChangedFontIsBuiltAgain()
{
    toggle()->trigger();
    const ExportedSample &exported = mWindow->preview()->exportedSample();
    const int builds = exported.builds();
    const QImage before = pane()->rendered();

    document().SampleText = QStringLiteral("Other text");
    mWindow->preview()->DrawSample();
    QCOMPARE(exported.builds(), builds);
    QVERIFY(pane()->rendered() != before);

    document().CharWidthInc = 4;
    mWindow->preview()->DrawSample();
    QCOMPARE(exported.builds(), builds + 1);

    // A bitmap edited again is read again. Its top-left pixel belongs to "0".
    document().Postprocessed = true;
    document().SampleText = TexelFont::glyphSequence(document().Chars()).left(1);
    QCOMPARE(runCli({QStringLiteral("bitmaps"), [this] {
                         document().setFilename(path(QStringLiteral("doc.tsm")));
                         document().Save(mFeedback);
                         return document().Filename();
                     }()}),
             QString());
    mWindow->preview()->DrawSample();
    const QImage unedited = pane()->rendered();
    QImage edited(proposedBitmapFileName(document()));
    edited.setPixel(0, 0, qRgb(255, 0, 0));
    QVERIFY(edited.save(proposedBitmapFileName(document()), "BMP"));
    // Time stamps a moment apart may look alike; this one cannot.
    QFile stamp(proposedBitmapFileName(document()));
    QVERIFY(stamp.open(QIODevice::ReadWrite));
    QVERIFY(stamp.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    stamp.close();
    mWindow->preview()->DrawSample();
    QVERIFY(pane()->rendered() != unedited);
}

QTEST_MAIN(ExportedPreviewTest)
#include "exportedpreview_test.moc"
