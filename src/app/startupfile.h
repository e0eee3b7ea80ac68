#pragma once

#include "codepage.h"

#include <QString>

class frmMain;
struct DialogServices;

// Opens a file named on the program's command line, as a double click in a file manager
// does: a .zgf font in the font viewer over the main window, its codes read in codePage; any
// other file as a project.
// Runs the window's first activation before, so a loaded project keeps its own font.
// False (reported) when the file cannot be opened.
bool openStartupFile(frmMain &window, DialogServices &services, const QString &path,
                     CodePage codePage = CodePage::Windows1252);
