#pragma once

#include "dialogservices.h"
#include "frmmain.h"

// Runners that show a dialog modally for one use, for frmMain::setDocumentDialog and
// setToolDialog: documentDialog<frmProperties>(services) hands the document to the dialog's
// setTexelFont before it is shown and takes it back afterwards. The services are held by
// reference, so they must outlive the main window.
template <class Dialog>
frmMain::DocumentDialogRunner documentDialog(DialogServices &services)
{
    return [&services](QWidget *parent, TexelFont &font) {
        Dialog dialog(services, parent);
        dialog.setTexelFont(&font);
        dialog.exec();
        dialog.setTexelFont(nullptr);
    };
}

template <class Dialog>
frmMain::ToolDialogRunner toolDialog(DialogServices &services)
{
    return [&services](QWidget *parent) {
        Dialog dialog(services, parent);
        dialog.exec();
    };
}
