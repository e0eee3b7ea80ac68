// Writes pictures of the main window and its dialogs to a folder, to look at them
// (ui_screenshots <folder>), and times the redraw after typing a size of 72 points.
// Uses a settings store in the folder, never the person's own.
#include "fontcolordialog.h"
#include "fontpreview.h"
#include "frmabout.h"
#include "frmgettext.h"
#include "frmmain.h"

#include "settingsstore.h"
#include "texelfont.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
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

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTextStream out(stdout);
    SettingsStore store(folder.filePath(QStringLiteral("screenshots.ini")));

    frmMain window(store);
    window.show();
    window.activateOnce();
    save(&window, folder, QStringLiteral("start.png"));

    auto *size = window.findChild<QComboBox *>(QStringLiteral("cbxSize"));
    QElapsedTimer timer;
    timer.start();
    size->setEditText(QStringLiteral("72"));
    out << "redraw after typing 72: " << timer.nsecsElapsed() / 1e6 << " ms\n";
    timer.restart();
    size->setEditText(QStringLiteral("9.75"));
    out << "redraw after typing 9.75: " << timer.nsecsElapsed() / 1e6 << " ms\n";
    timer.restart();
    size->setEditText(QStringLiteral("72"));
    out << "redraw after typing 72 again: " << timer.nsecsElapsed() / 1e6 << " ms\n";

    window.findChild<QAction *>(QStringLiteral("Italic"))->trigger();
    window.resize(900, 640);
    settle();
    window.preview()->resizer().ResizeFirstPanel(150 * 15);
    auto *scroll = window.findChild<QScrollBar *>(QStringLiteral("hsbFont"));
    scroll->setValue(scroll->maximum() / 3);
    save(&window, folder, QStringLiteral("italic72.png"));

    frmGetText text(&window);
    text.setTitle(QStringLiteral("Charset"));
    text.setText(window.document().Chars());
    text.show();
    save(&text, folder, QStringLiteral("gettext.png"));

    frmAbout about(&window);
    about.show();
    save(&about, folder, QStringLiteral("about.png"));

    FontChoice choice;
    choice.font = SurfaceFont{window.document().TTFName(), 72.0f, false, true, false, false};
    FontColorDialog fonts(choice, &window);
    fonts.show();
    save(&fonts, folder, QStringLiteral("fontdialog.png"));
    return 0;
}
