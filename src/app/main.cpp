#include "dialoglaunchers.h"
#include "frmconverter.h"
#include "frmexport.h"
#include "frmextractor.h"
#include "frmmain.h"
#include "frmpostproperties.h"
#include "frmproperties.h"
#include "icons.h"

#include "settingsstore.h"
#include "version.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(Version::Product));
    QApplication::setApplicationName(QString::fromUtf8(Version::Product));
    QApplication::setApplicationVersion(QString::fromUtf8(Version::Text));
    QApplication::setWindowIcon(programIcon());

    SettingsStore store;
    frmMain window(store);
    window.setDocumentDialog(frmMain::DocumentDialog::Properties, documentDialog<frmProperties>());
    window.setDocumentDialog(frmMain::DocumentDialog::PostProperties, documentDialog<frmPostProperties>());
    window.setDocumentDialog(frmMain::DocumentDialog::Export, documentDialog<frmExport>(store));
    window.setToolDialog(frmMain::ToolDialog::Extractor, toolDialog<frmExtractor>());
    window.setToolDialog(frmMain::ToolDialog::Converter, toolDialog<frmConverter>(store));
    window.show();
    return application.exec();
}
