#include "dialogchoosers.h"

#include "filefilters.h"
#include "fontcolordialog.h"

#include <QColorDialog>
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
    FileState &state = mFileStates[parent ? parent->window()->objectName() : QString()];
    FileRequest &last = state.last;
    if (!request.filter.isEmpty())
        last.filter = request.filter;
    if (!request.defaultSuffix.isEmpty())
        last.defaultSuffix = request.defaultSuffix;
    if (!request.fileName.isEmpty())
        last.fileName = request.fileName;

    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (!last.filter.isEmpty()) {
        dialog.setNameFilters(qtNameFilters(last.filter));
        if (!state.selectedFilter.isEmpty())
            dialog.selectNameFilter(state.selectedFilter);
    }
    QString suffix = last.defaultSuffix;
    dialog.setDefaultSuffix(suffix.startsWith(QLatin1Char('.')) ? suffix.mid(1) : suffix);
    // A program started from a menu works in "/" or the home folder: neither says where
    // a relative name would go.
    dialog.setDirectory(state.folder.isEmpty() ? QDir::homePath() : state.folder);
    if (!last.fileName.isEmpty())
        dialog.selectFile(last.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();

    const QString chosen = dialog.selectedFiles().constFirst();
    last.fileName = chosen;
    state.folder = dialog.directory().absolutePath();
    state.selectedFilter = dialog.selectedNameFilter();
    return chosen;
}

std::optional<FontChoice> DialogChoosers::chooseFont(QWidget *parent, const FontChoice &current)
{
    FontColorDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::optional<Color> DialogChoosers::chooseColor(QWidget *parent, Color current)
{
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(pixelFromColor(current)), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colorFromPixel(chosen.rgb());
}

UnsavedChanges DialogChoosers::askSaveChanges(QWidget *parent, const QString &name)
{
    QMessageBox box(QMessageBox::Warning, parent ? parent->window()->windowTitle() : QString(),
                    QStringLiteral("Save changes to %1?").arg(name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: return UnsavedChanges::Save;
    case QMessageBox::Discard: return UnsavedChanges::Discard;
    default: return UnsavedChanges::Cancel;
    }
}
