#pragma once

#include "fontscanner.h"
#include "progressfeedback.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
struct DialogServices;

// The ZGF font extractor: scans a chosen file for embedded ZGF fonts, lists those it finds
// and saves the selected one as a font file of its own, or shows it in the font viewer
// straight from the scanned file. It works on files only.
class frmExtractor : public QDialog
{
    Q_OBJECT

public:
    explicit frmExtractor(DialogServices &services, QWidget *parent = nullptr);
    ~frmExtractor() override;

    // The font of the selected row; nothing without a selection.
    std::optional<FoundFont> selectedFont() const;
    // The source file scanned last, as shown in txtFilename.
    QString sourcePath() const;

private:
    void browse();
    // "Extract font..." and "View" need a selected font.
    void updateCommands();
    void scanFile();
    void extractFont();
    void viewFont();

    DialogServices &mServices;
    QProgressBar *mProgress;
    ProgressFeedback mFeedback;
    QLineEdit *mFilename;
    QTreeWidget *mFonts;
    QPushButton *mExtract;
    QPushButton *mView;
};
