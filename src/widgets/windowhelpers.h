#pragma once

#include <QString>

class QLineEdit;
class QWidget;
class SettingsStore;

// Window helpers shared by the main window and the dialogs.

// Sets the enabled state of the control and, first, of every widget inside it, nested
// containers included, so that enabling the container again enables its contents.
void EnableControl(QWidget *control, bool enabled);

// Stores the window's position and state under "Forms": "<name>.Position" (left, top,
// width and height in twips, only while the window is neither maximised nor minimised,
// so a maximised window keeps its last normal position) and "<name>.WindowState" (0
// normal, 2 maximised; nothing while minimised). <name> is the window's objectName
// without a leading "frm". Throws Failure 70 when the store cannot be written.
void SaveFormPosToRegistry(QWidget *window, SettingsStore &store);

// Moves and sizes the window from the stored record and restores its state. Without a
// record the window keeps its size and is centred on the screen; a stored width or height
// of 0 keeps the current one, a hand-edited value that is not a number counts as 0.
void SetFormPosFromRegistry(QWidget *window, SettingsStore &store);

// Sets field index (from 0, fields joined by " - ") of the window's caption, showing each
// "-" as a space and "(" and ")" as "[" and "]" (a "[*]" that gives is escaped, so it shows
// rather than marking the window modified); empty trailing fields are dropped. Field 0,
// the title, cannot be set: an index below 1 does nothing.
void SetCaptionField(QWidget *window, const QString &text, int index);

// Gives a field that cannot be used the background of a button face.
void showAsButtonFace(QWidget *control);

// A field the program fills and the person only reads (and may copy from with the mouse):
// read-only, on a button face, with no text cursor and out of the tab order.
void showAsReadOnly(QLineEdit *field);
