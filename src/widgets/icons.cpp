#include "icons.h"

#include <QStringList>

QIcon toolbarIcon(const QString &key)
{
    static const QStringList keys = {
        QStringLiteral("New"),    QStringLiteral("Open"),       QStringLiteral("Save"),
        QStringLiteral("Bold"),   QStringLiteral("Italic"),     QStringLiteral("Underline"),
        QStringLiteral("Font"),   QStringLiteral("Properties"), QStringLiteral("Postprocessing"),
        QStringLiteral("Export"),
    };
    if (!keys.contains(key))
        return QIcon();
    // Drawn on a 16-pixel grid, so the 32-pixel rendering is an exact double and as crisp.
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(key.toLower()));
}

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/icons/texelsmithy.svg"));
}
