// Not a test: pictures of the font viewer and of the main window's sample with and without
// "Preview as exported", to look at them (viewer_screenshots <folder>), and the time of
// one redraw of the sample each way at 72 points.
#include "exportedfonts.h"

#include "fontpreview.h"
#include "frmmain.h"
#include "frmviewer.h"

#include "postprocessnames.h"
#include "settingsstore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextStream>
#include <QThread>

namespace {

void settle()
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void save(QWidget *widget, const QDir &folder, const QString &name)
{
    settle();
    widget->grab().save(folder.filePath(name));
}

// The best of a few sample redraws, in milliseconds.
double sampleRedraw(FontPreview *preview)
{
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        preview->DrawSample();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTextStream out(stdout);

    ExportedFontSpec large;
    large.family = QStringLiteral("DejaVu Serif");
    large.size = 48;
    large.bold = true;
    const QString largeFont = exportFont(large, folder, QStringLiteral("large.zgf"));
    ExportedFontSpec masked;
    masked.family = QStringLiteral("DejaVu Sans");
    masked.size = 10;
    masked.masked = true;
    const QString maskedFont = exportFont(masked, folder, QStringLiteral("masked.zgf"));

    {
        frmViewer viewer;
        viewer.show();
        viewer.openFile(largeFont);
        save(&viewer, folder, QStringLiteral("viewer_large.png"));
        viewer.setZoom(4);
        save(&viewer, folder, QStringLiteral("viewer_large_4x.png"));
    }
    {
        frmViewer viewer;
        viewer.show();
        viewer.openFile(maskedFont);
        viewer.findChild<QPlainTextEdit *>(QStringLiteral("txtSample"))
            ->setPlainText(QStringLiteral("Masked fonts keep\ntheir glyph image."));
        save(&viewer, folder, QStringLiteral("viewer_masked.png"));
    }

    SettingsStore store(folder.filePath(QStringLiteral("screenshots.ini")));
    frmMain window(store);
    window.resize(720, 520);
    window.show();
    window.activateOnce();
    TexelFont &document = window.document();
    document.SampleText = QStringLiteral("Sphinx of black quartz,\r\njudge my vow! 0123456789");
    auto *size = window.findChild<QComboBox *>(QStringLiteral("cbxSize"));
    size->setEditText(QStringLiteral("20"));
    auto *asExported = window.findChild<QAction *>(QStringLiteral("mnuSampleItem3"));
    asExported->trigger();
    save(&window, folder, QStringLiteral("main_exported.png"));

    // A post-processed font before its bitmaps are written, then with every glyph
    // underlined in red by hand: only the preview as exported shows the edit.
    QDir::setCurrent(folder.path());
    document.Postprocessed = true;
    window.preview()->DrawSample();
    save(&window, folder, QStringLiteral("main_missing.png"));
    RasterSurface work;
    RecordingFeedback feedback;
    PostprocessOptions bitmaps;
    bitmaps.bitmapFileName = proposedBitmapFileName(document);
    ExportPostprocessBitmaps(document, work, bitmaps, feedback);
    QImage edited(bitmaps.bitmapFileName);
    for (int x = 0; x < edited.width(); ++x) {
        if (x % 4 != 3)
            edited.setPixel(x, edited.height() - 3, qRgb(220, 30, 30));
    }
    edited.save(bitmaps.bitmapFileName, "BMP");
    window.preview()->DrawSample();
    save(&window, folder, QStringLiteral("main_edited_exported.png"));
    asExported->trigger();
    save(&window, folder, QStringLiteral("main_edited_platform.png"));
    asExported->trigger();
    document.Postprocessed = false;

    size->setEditText(QStringLiteral("72"));
    FontPreview *preview = window.preview();
    preview->setPreviewAsExported(false);
    out << "sample redraw at 72 pt, platform text: " << sampleRedraw(preview) << " ms\n";
    preview->setPreviewAsExported(true);
    out << "sample redraw at 72 pt, as exported, same font: " << sampleRedraw(preview) << " ms\n";
    // A changed setting builds the font again: the sheet redraws then too.
    double rebuild = 1e9;
    double sheet = 1e9;
    for (int i = 0; i < 5; ++i) {
        window.document().CharWidthInc = qint16(i % 2 == 0 ? 1 : 0); // 0 before the loop
        QElapsedTimer timer;
        timer.start();
        preview->DrawFontSheet();
        sheet = std::min(sheet, timer.nsecsElapsed() / 1e6);
        timer.restart();
        preview->DrawSample();
        rebuild = std::min(rebuild, timer.nsecsElapsed() / 1e6);
    }
    out << "sample redraw at 72 pt, as exported, changed font: " << rebuild << " ms (font sheet "
        << sheet << " ms; " << preview->exportedSample().builds() << " builds)\n";
    return 0;
}
