#pragma once

#include "choosers.h"

#include <QHash>

// The choosers of the program: for each window, one file dialog state shared by its file
// commands, as a single dialog that remembers its filter, folder and file name between uses
// (starting in the home folder, never the working folder); the font dialog with a colour,
// the colour dialog, and a message box about unsaved changes.
class DialogChoosers : public Choosers
{
public:
    QString openFileName(QWidget *parent, const FileRequest &request) override;
    QString saveFileName(QWidget *parent, const FileRequest &request) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) override;
    std::optional<Color> chooseColor(QWidget *parent, Color current) override;
    UnsavedChanges askSaveChanges(QWidget *parent, const QString &name) override;

private:
    struct FileState
    {
        FileRequest last;
        QString selectedFilter;
        QString folder;
    };

    QString chooseFile(QWidget *parent, const FileRequest &request, bool save);

    // By the objectName of the window that asks.
    QHash<QString, FileState> mFileStates;
};
