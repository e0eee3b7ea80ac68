#include "dialogchoosers.h"
#include "dialoglaunchers.h"
#include "frmconverter.h"
#include "frmexport.h"
#include "frmextractor.h"
#include "frmglypheditor.h"
#include "frmmain.h"
#include "frmpostproperties.h"
#include "frmproperties.h"
#include "frmviewer.h"
#include "icons.h"
#include "startupfile.h"

#include "settingsstore.h"
#include "version.h"
#include "windowfeedback.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Past the file size limit a write fails with "File too large" instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication application(argc, argv);
    // As the bytes they are, once Qt took its own options out.
    const ProgramArguments given = programArguments(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(Version::Product));
    QApplication::setApplicationName(QString::fromUtf8(Version::Product));
    QApplication::setApplicationVersion(QString::fromUtf8(Version::Text));
    QApplication::setWindowIcon(programIcon());
    QApplication::setDesktopFileName(QStringLiteral(TEXEL_APP_ID));

    // A file manager starts the program with the project or font to open.
    QCommandLineParser arguments;
    arguments.setApplicationDescription(QString::fromUtf8(Version::Description));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(QStringLiteral("file"),
                                    QStringLiteral("A project (.tsm) to open, or a ZGF font (.zgf) to view."),
                                    QStringLiteral("[file]"));
    const QCommandLineOption codePageOption(
        QStringLiteral("codepage"),
        QStringLiteral("The code page a ZGF font's codes are read in (default 1252): %1.").arg(codePageNameList()),
        QStringLiteral("NAME"));
    arguments.addOption(codePageOption);
    arguments.process(application);
    const std::optional<CodePage> codePage =
        arguments.isSet(codePageOption) ? codePageFromName(arguments.value(codePageOption)) : CodePage::Windows1252;
    if (!codePage) {
        std::fputs(qPrintable(QStringLiteral("texelsmithy: --codepage takes one of %1, not '%2'.\n")
                                  .arg(codePageNameList(), arguments.value(codePageOption))),
                   stderr);
        return 2;
    }

    // One set of services for every window.
    SettingsStore store;
    DialogChoosers choosers;
    WindowFeedback feedback;
    DialogServices services{store, choosers, feedback};
    frmMain window(services);
    feedback.setMainWindow(&window);
    window.setDocumentDialog(frmMain::DocumentDialog::Properties, documentDialog<frmProperties>(services));
    window.setDocumentDialog(frmMain::DocumentDialog::PostProperties, documentDialog<frmPostProperties>(services));
    window.setDocumentDialog(frmMain::DocumentDialog::Export, documentDialog<frmExport>(services));
    window.setDocumentDialog(frmMain::DocumentDialog::GlyphEditor, documentDialog<frmGlyphEditor>(services));
    window.setToolDialog(frmMain::ToolDialog::Extractor, toolDialog<frmExtractor>(services));
    window.setToolDialog(frmMain::ToolDialog::Converter, toolDialog<frmConverter>(services));
    window.setToolDialog(frmMain::ToolDialog::Viewer, toolDialog<frmViewer>(services));
    window.show();
    if (!arguments.positionalArguments().isEmpty() || !given.undecodable.isEmpty()) {
        const QString file = arguments.positionalArguments().value(0);
        QTimer::singleShot(0, &window, [&window, &services, given, file, codePage] {
            openStartupArguments(window, services, given, file, *codePage);
        });
    }
    return application.exec();
}
