#include "browsebutton.h"

#include "controlarray.h"

#include "icons.h"

#include <QToolButton>

QToolButton *newBrowseButton(int index, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    setControlIndex(button, QStringLiteral("picBrowse"), index);
    button->setIcon(toolbarIcon(QStringLiteral("Open")));
    button->setToolTip(QStringLiteral("Browse..."));
    button->setAccessibleName(QStringLiteral("Browse"));
    return button;
}
