#pragma once

#include <QString>

class SettingsStore;
class TexelFont;

// Where the windows put an output named without a folder: the project's folder once the
// document is saved, else the folder of the last export (kept in the store, section
// "Export", key "LastFolder") while it exists, else the home folder. Never the working
// folder, which is "/" or the home folder for a program started from a menu. (The
// command-line tool resolves against the working folder, as a shell user expects.)
QString outputFolder(const TexelFont &font, const SettingsStore &store);

// The name made absolute against folder ("font.zgf" in /home/ana gives
// /home/ana/font.zgf); an absolute name and an empty one stay as they are.
QString resolvedOutputName(const QString &name, const QString &folder);

// Keeps the folder of a file just written as the last export folder. A store that cannot
// be written loses only this convenience, so nothing is reported.
void rememberOutputFolder(SettingsStore &store, const QString &writtenFile);
