#pragma once

#include "progressfeedback.h"
#include "rastersurface.h"
#include "zgfbuilder.h"

#include "documentdialog.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class SizeBudgetPanel;
class TexelFont;
struct DialogServices;

// The export dialog: writes the document as a ZGF font (with its C source when asked), or,
// for a post-processed font, as bitmaps to edit by hand. It proposes file names derived
// from the document in the output folder (see outputFolder), keeps the coding and C source
// options in the store (section "Export", written on "Ok" only) and carries the working
// picture and progress bar of the exports.
// After a bitmap export it stays open and switches to "Generate .ZGF font".
//
// The document is handed over with setTexelFont before the dialog is shown; the dialog only
// reads it. Given no document, it closes as soon as it is shown. Control arrays are named
// "<name>_<index>" with the property "index": cmdCommands_0 "Exit", cmdCommands_1 "Ok",
// picBrowse_0 to picBrowse_3 the browse buttons of the bitmap, mask, ZGF and C names.
class frmExport : public DocumentDialog
{
    Q_OBJECT

public:
    explicit frmExport(DialogServices &services, QWidget *parent = nullptr);
    ~frmExport() override;

    void setTexelFont(TexelFont *font) override;

protected:
    void firstActivation() override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void InitExportDialog();
    // Enables fraZGF for the chosen action, then the C file's controls.
    void updateFrames();
    void updateCFileControls();
    // The names that follow a typed one.
    void bitmapNameChanged();
    void zgfNameChanged();
    // A field left empty gets its proposed name back.
    void fieldLeft(QLineEdit *field);
    QString defaultName(const QLineEdit *field) const;
    void resolveNames();
    void browse(QLineEdit *field, const QString &filter, const QString &suffix, bool existing);
    // "Ok": the chosen export.
    void runAction();
    void saveOptions();
    void exportBitmaps();
    bool exportZgf();
    void showCharacterNotes();
    ZgfBuildInput budgetInput() const;

    DialogServices &mServices;
    QProgressBar *mProgress;
    ProgressFeedback mFeedback;
    // picTemp: the exports draw every image on it before coding or saving it.
    RasterSurface mPicTemp;

    QRadioButton *mZGFFont;
    QRadioButton *mPostprocess;
    QGroupBox *mPostprocessFrame;
    QLineEdit *mBitmapFilename;
    QLabel *mMaskLabel;
    QLineEdit *mMaskFilename;
    QComboBox *mNbBitmaps;
    QGroupBox *mZGFFrame;
    QLineEdit *mZGFFilename;
    QRadioButton *mRAWFormat;
    QRadioButton *mRLEFormat;
    QCheckBox *mZGFCFile;
    QLabel *mZGFCLabel;
    QLineEdit *mZGFCFilename;
    QCheckBox *mSplit;
    QToolButton *mBrowse[4];
    // Before "Ok": what the exported font will lack, and how big it will be.
    SizeBudgetPanel *mBudget;
    QLabel *mMissingNote;
    QLabel *mUnencodableNote;
};
