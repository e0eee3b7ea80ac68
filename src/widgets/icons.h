#pragma once

#include <QIcon>
#include <QString>

// The toolbar icon of a button key ("New", "Open", "Save", "Bold", "Italic", "Underline",
// "Font", "Properties", "Postprocessing", "Export"); a null icon for any other key.
QIcon toolbarIcon(const QString &key);

// The program's icon.
QIcon programIcon();
