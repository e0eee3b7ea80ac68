#include "dialogchoosers.h"

#include "filefilters.h"
#include "fontcolordialog.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

QString DialogChoosers::openFileName(QWidget *parent, const FileRequest &request)
{
    return chooseFile(parent, request, false);
}

QString DialogChoosers::saveFileName(QWidget *parent, const FileRequest &request)
{
    return chooseFile(parent, request, true);
}

QString DialogChoosers::chooseFile(QWidget *parent, const FileRequest &request, bool save)
{
    if (!request.filter.isEmpty())
        mLast.filter = request.filter;
    if (!request.defaultSuffix.isEmpty())
        mLast.defaultSuffix = request.defaultSuffix;
    if (!request.fileName.isEmpty())
        mLast.fileName = request.fileName;

    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!mLast.filter.isEmpty()) {
        dialog.setNameFilters(qtNameFilters(mLast.filter));
        if (!mSelectedFilter.isEmpty())
            dialog.selectNameFilter(mSelectedFilter);
    }
    QString suffix = mLast.defaultSuffix;
    dialog.setDefaultSuffix(suffix.startsWith(QLatin1Char('.')) ? suffix.mid(1) : suffix);
    // A program started from a menu works in "/" or the home folder: neither says where
    // a relative name would go.
    dialog.setDirectory(mFolder.isEmpty() ? QDir::homePath() : mFolder);
    if (!mLast.fileName.isEmpty())
        dialog.selectFile(mLast.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();

    const QString chosen = dialog.selectedFiles().constFirst();
    mLast.fileName = chosen;
    mFolder = dialog.directory().absolutePath();
    mSelectedFilter = dialog.selectedNameFilter();
    return chosen;
}

std::optional<FontChoice> DialogChoosers::chooseFont(QWidget *parent, const FontChoice &current)
{
    FontColorDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

UnsavedChanges DialogChoosers::askSaveChanges(QWidget *parent, const QString &name)
{
    QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(),
                    QStringLiteral("Save changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return UnsavedChanges::Save;
    case QMessageBox::Discard:
        return UnsavedChanges::Discard;
    default:
        return UnsavedChanges::Cancel;
    }
}
