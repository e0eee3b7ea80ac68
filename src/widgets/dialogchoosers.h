#pragma once

#include "choosers.h"

// The choosers of the program: one file dialog state shared by every file command, as a
// single dialog that remembers its filter, folder and file name between uses (starting in
// the home folder, never the working folder), the font dialog with a colour, and a
// message box about unsaved changes.
class DialogChoosers : public Choosers
{
public:
    QString openFileName(QWidget *parent, const FileRequest &request) override;
    QString saveFileName(QWidget *parent, const FileRequest &request) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &current) override;
    UnsavedChanges askSaveChanges(QWidget *parent, const QString &name) override;

private:
    QString chooseFile(QWidget *parent, const FileRequest &request, bool save);

    FileRequest mLast;
    QString mSelectedFilter;
    QString mFolder;
};
