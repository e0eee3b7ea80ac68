#pragma once

#include "progressfeedback.h"

#include <QDialog>

class CodePageBox;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
struct DialogServices;

// The ZGF to C converter: writes a ZGF font, or any other file, as C source. It derives
// the C file and variable names from the chosen file, converts on "Ok" and stays open for
// the next file. The split option is kept in the store under "Convert", "SplitFiles"; the code
// page of a font's codes is chosen per conversion (Windows-1252 at first).
class frmConverter : public QDialog
{
    Q_OBJECT

public:
    explicit frmConverter(DialogServices &services, QWidget *parent = nullptr);
    ~frmConverter() override;

private:
    void browseSource();
    void browseCFile();
    // The C file and variable names of the chosen source.
    void deriveNames();
    // "Ok" needs the three names.
    void updateOkState();
    void convert();

    DialogServices &mServices;
    QProgressBar *mProgress;
    ProgressFeedback mFeedback;
    QLineEdit *mFilename;
    QLineEdit *mCFilename;
    QLineEdit *mVarName;
    QCheckBox *mSplit;
    CodePageBox *mCodePage;
    QPushButton *mOk;
};
