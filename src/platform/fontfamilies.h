#pragma once

#include <QString>
#include <QStringList>

// The font families of the system, as the font box lists them. Need a QGuiApplication.

// The installed families without the system's private ones and the program's own names
// for font files, sorted without regard to case (ties in case order), each once.
QStringList installedFontFamilies();

// The family the system draws when the given one is requested: the family itself when it is
// installed, otherwise the substitute the font configuration matches ("Arial" gives
// "Liberation Sans" where only the metric-compatible families are installed).
QString matchedFontFamily(const QString &family);
