#pragma once

#include "codepage.h"
#include "programarguments.h"

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

// Opens the file that the command line (given) names as file, with openStartupFile. An
// argument that is no UTF-8 text would name another file: it is refused with a message box
// that names it as bytes, and nothing is opened.
bool openStartupArguments(frmMain &window, DialogServices &services, const ProgramArguments &given, const QString &file,
                          CodePage codePage = CodePage::Windows1252);
