#pragma once

#include "fontscanner.h"

#include <QDialog>

#include <memory>
#include <optional>

class Choosers;
class Feedback;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

// The ZGF font extractor: scans a chosen file for embedded ZGF fonts, lists those it finds
// and saves the selected one as a font file of its own, or shows it in the font viewer
// straight from the scanned file. It works on files only.
//
// Without choosers or feedback the dialog uses a file dialog and message boxes of its own;
// those given must outlive it.
class frmExtractor : public QDialog
{
    Q_OBJECT

public:
    explicit frmExtractor(QWidget *parent = nullptr, Choosers *choosers = nullptr,
                          Feedback *feedback = nullptr);
    ~frmExtractor() override;

    // The font of the selected row; nothing without a selection.
    std::optional<FoundFont> selectedFont() const;
    // The source file scanned last, as shown in txtFilename.
    QString sourcePath() const;

private:
    void picBrowse_Click();
    void lvwFonts_SelectionChanged();
    void ScanFile();
    void ExtractFont();
    void ViewFont();

    std::unique_ptr<Choosers> mOwnChoosers;
    Choosers *mChoosers;
    QProgressBar *mProgress;
    std::unique_ptr<Feedback> mOwnFeedback;
    Feedback *mFeedback;
    QLineEdit *mFilename;
    QTreeWidget *mFonts;
    QPushButton *mExtract;
    QPushButton *mView;
};
