#pragma once

#include "surface.h"

#include <QString>

#include <optional>

class QWidget;

// What a file dialog is asked to show. An empty filter or suffix keeps the one of the
// dialog's last use; the filter is in the "description|pattern|..." form.
struct FileRequest
{
    QString filter;
    QString defaultSuffix;
    QString fileName;
    // A save dialog asks before a file is overwritten, unless the caller asks itself.
    bool confirmOverwrite = true;
};

// A font with its colour, as the font dialog shows and returns it.
struct FontChoice
{
    SurfaceFont font;
    Color color = 0;
};

// What to do with changes that have not been saved before they would be lost.
enum class UnsavedChanges { Save, Discard, Cancel };

// The choices the windows ask the person for: file names, a font, a colour, and what to do
// with unsaved changes. The program shows dialogs; tests answer from a script.
class Choosers
{
public:
    virtual ~Choosers() = default;

    // An existing file to open; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const FileRequest &request) = 0;
    // A file to write, overwriting confirmed as the request says; empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const FileRequest &request) = 0;
    // The chosen font and colour; nothing when cancelled.
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) = 0;
    // The colour chosen in a colour dialog opened on current; nothing when cancelled.
    virtual std::optional<Color> chooseColor(QWidget *parent, Color current) = 0;
    // Asks "Save changes to NAME?" with Save, Discard and Cancel.
    virtual UnsavedChanges askSaveChanges(QWidget *parent, const QString &name) = 0;
};
