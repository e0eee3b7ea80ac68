// Writes pictures of the font sheet marking characters the font lacks, its tooltip, and the
// export dialog with its notes and size budget (budget_screenshots <folder>), and times the
// size budget of the default character set at 72 points. Uses a settings store in the
// folder, never the person's own.
#include "fontpreview.h"
#include "frmexport.h"
#include "frmmain.h"
#include "sizebudgetpanel.h"

#include "rastersurface.h"
#include "settingsstore.h"
#include "texelfont.h"
#include "zgfbuilder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTextStream>
#include <QThread>

namespace {

void settle()
{
    for (int i = 0; i < 15; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
}

void save(QWidget *widget, const QDir &folder, const QString &name)
{
    settle();
    widget->grab().save(folder.filePath(name));
}

QWidget *toolTipWindow()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QTipLabel") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTextStream out(stdout);
    SettingsStore store(folder.filePath(QStringLiteral("screenshots.ini")));

    // The budget of the default set at 72 points, measured apart from the measuring.
    {
        RasterSurface measure;
        RasterSurface work;
        TexelFont font(&measure);
        font.setTTFName(QStringLiteral("Arial"));
        font.SetCharsToDefault();
        font.setSize(72);
        QElapsedTimer timer;
        timer.start();
        font.DefaultHeight();
        out << "measuring 72 pt: " << timer.nsecsElapsed() / 1e6 << " ms\n";
        for (int run = 1; run <= 3; ++run) {
            timer.restart();
            const ZgfSizeBudget budget = zgfSizeBudget(font, work, {});
            out << "size budget 72 pt, run " << run << ": " << timer.nsecsElapsed() / 1e6 << " ms (RAW "
                << budget.raw.total << ", RLE " << budget.rle.total << " bytes)\n";
        }
    }

    frmMain window(store);
    window.resize(820, 560);
    window.show();
    window.activateOnce();
    TexelFont &font = window.document();
    font.setChars(TexelFont::defaultCharacterSet() + QStringLiteral("\r\n\u0141\u0142\u2603\u2665\u20AC"));
    font.setSize(24);
    window.preview()->DrawSample();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 20; ++i)
        window.preview()->DrawFontSheet();
    out << "sheet redraw with its marks, 24 pt: " << timer.nsecsElapsed() / 20e6 << " ms\n";
    auto *scroll = window.findChild<QScrollBar *>(QStringLiteral("hsbFont"));
    scroll->setValue(scroll->maximum());
    save(&window, folder, QStringLiteral("sheet_marks.png"));

    // The tooltip over the snowman, the third glyph from the end.
    auto *sheet = window.findChild<QWidget *>(QStringLiteral("picFont"));
    int x = 0;
    const QList<Char> &glyphs = font.glyphs();
    for (qsizetype i = 0; i < glyphs.size() - 3; ++i)
        x += glyphs.at(i).TextWidth;
    x += glyphs.at(glyphs.size() - 3).TextWidth / 2;
    const QPoint at(x, 20);
    QHelpEvent help(QEvent::ToolTip, at, sheet->mapToGlobal(at));
    QApplication::sendEvent(sheet, &help);
    settle();
    if (QWidget *tip = toolTipWindow())
        save(tip, folder, QStringLiteral("sheet_tooltip.png"));
    else
        out << "no tooltip shown\n";

    frmExport dialog(store, &window);
    dialog.setTexelFont(&font);
    dialog.show();
    settle();
    QThread::msleep(SizeBudgetPanel::DelayMs + 50);
    save(&dialog, folder, QStringLiteral("export_budget.png"));
    dialog.close();

    // A post-processed font whose edited bitmaps are not there yet.
    font.Postprocessed = true;
    font.setChars(QStringLiteral("ABC"));
    frmExport post(store, &window);
    post.setTexelFont(&font);
    post.show();
    settle();
    QThread::msleep(SizeBudgetPanel::DelayMs + 50);
    save(&post, folder, QStringLiteral("export_budget_unknown.png"));
    return 0;
}
