#pragma once

#include "frmmain.h"

// Runners that show a dialog modally for one use, for frmMain::setDocumentDialog and
// setToolDialog: documentDialog<frmProperties>() hands the document to the dialog's
// setTexelFont before it is shown and takes it back afterwards. Arguments given to the
// runner (a settings store...) are held by reference and passed to the dialog's
// constructor before the parent window, so they must outlive the main window.
template <class Dialog, class... Args>
frmMain::DocumentDialogRunner documentDialog(Args &...args)
{
    return [&args...](QWidget *parent, TexelFont &font) {
        Dialog dialog(args..., parent);
        dialog.setTexelFont(&font);
        dialog.exec();
        dialog.setTexelFont(nullptr);
    };
}

template <class Dialog, class... Args>
frmMain::ToolDialogRunner toolDialog(Args &...args)
{
    return [&args...](QWidget *parent) {
        Dialog dialog(args..., parent);
        dialog.exec();
    };
}
