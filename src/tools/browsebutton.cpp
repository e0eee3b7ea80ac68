#include "browsebutton.h"

#include "controlarray.h"

#include <QStyle>
#include <QToolButton>

QToolButton *newBrowseButton(int index, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    setControlIndex(button, QStringLiteral("picBrowse"), index);
    button->setIcon(button->style()->standardIcon(QStyle::SP_DirOpenIcon));
    button->setToolTip(QStringLiteral("Browse..."));
    button->setAccessibleName(QStringLiteral("Browse"));
    return button;
}
