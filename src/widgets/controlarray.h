#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// Names a member of a control array, such as cmdCommands(1): objectName "cmdCommands_1"
// and the dynamic property "index" holding 1.
inline void setControlIndex(QObject *control, const QString &name, int index)
{
    control->setObjectName(name + QLatin1Char('_') + QString::number(index));
    control->setProperty("index", index);
}
