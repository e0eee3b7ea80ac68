#include "documentdialog.h"

void DocumentDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (mActivated)
        return;
    mActivated = true;
    if (!moFont) {
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    firstActivation();
}
