#pragma once

#include <QDialog>

#include <memory>

class Choosers;
class Feedback;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class SettingsStore;

// The ZGF to C converter: writes a ZGF font, or any other file, as C source. It derives
// the C file and variable names from the chosen file, converts on "Ok" and stays open for
// the next file. The split option is kept in the store under "Convert", "SplitFiles".
//
// Without choosers or feedback the dialog uses a file dialog and message boxes of its own;
// the store and those given must outlive it.
class frmConverter : public QDialog
{
    Q_OBJECT

public:
    explicit frmConverter(SettingsStore &store, QWidget *parent = nullptr,
                          Choosers *choosers = nullptr, Feedback *feedback = nullptr);
    ~frmConverter() override;

private:
    void picBrowse_Click(int index);
    void DeriveNames();
    void UpdateOkState();
    void Convert();

    SettingsStore &mStore;
    std::unique_ptr<Choosers> mOwnChoosers;
    Choosers *mChoosers;
    QProgressBar *mProgress;
    std::unique_ptr<Feedback> mOwnFeedback;
    Feedback *mFeedback;
    QLineEdit *mFilename;
    QLineEdit *mCFilename;
    QLineEdit *mVarName;
    QCheckBox *mSplit;
    QPushButton *mOk;
};
