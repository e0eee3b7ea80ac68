// Not a test: writes pictures of the main window and its dialogs to a folder, to look at
// them (ui_screenshots <folder>); bench/ times the redraw. Uses a settings store in the
// folder, never the person's own.
#include "fontpreview.h"
#include "frmabout.h"
#include "frmgettext.h"
#include "frmmain.h"

#include "settingsstore.h"
#include "texelfont.h"

#include <QtWidgets>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const auto save = [&folder](QWidget *widget, const char *name) {
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
            QThread::msleep(20);
        }
        if (name)
            widget->grab().save(folder.filePath(QLatin1String(name)));
    };
    SettingsStore store(folder.filePath(u"screenshots.ini"_s));
    frmMain window(store);
    window.show();
    window.activateOnce();
    save(&window, "start.png");

    window.findChild<QComboBox *>(u"cbxSize"_s)->setEditText(u"72"_s);
    window.findChild<QAction *>(u"Italic"_s)->trigger();
    window.resize(900, 640);
    save(&window, nullptr);
    window.preview()->resizer().ResizeFirstPanel(150 * 15);
    auto *scroll = window.findChild<QScrollBar *>(u"hsbFont"_s);
    scroll->setValue(scroll->maximum() / 3);
    save(&window, "italic72.png");

    frmGetText text(&window);
    text.setTitle(u"Charset"_s);
    text.setText(window.document().Chars());
    text.show();
    save(&text, "gettext.png");
    frmAbout about(&window);
    about.show();
    save(&about, "about.png");
    return 0;
}
