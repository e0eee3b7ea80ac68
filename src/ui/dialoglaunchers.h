#pragma once

#include "frmmain.h"

// Runners that show a dialog modally for one use, for frmMain::setDocumentDialog and
// setToolDialog: documentDialog<frmProperties>() hands the document to the dialog's
// setTexelFont before it is shown and takes it back afterwards.
template <class Dialog>
frmMain::DocumentDialogRunner documentDialog()
{
    return [](QWidget *parent, TexelFont &font) {
        Dialog dialog(parent);
        dialog.setTexelFont(&font);
        dialog.exec();
        dialog.setTexelFont(nullptr);
    };
}

template <class Dialog>
frmMain::ToolDialogRunner toolDialog()
{
    return [](QWidget *parent) {
        Dialog dialog(parent);
        dialog.exec();
    };
}
