#include "fontfamilies.h"

#include "fontfiles.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

QStringList installedFontFamilies()
{
    QStringList families;
    for (const QString &family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && !isDrawingFamily(family))
            families.append(family);
    }
    std::sort(families.begin(), families.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

QString matchedFontFamily(const QString &family)
{
    return QFontInfo(QFont(family)).family();
}
