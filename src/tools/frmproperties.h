#pragma once

#include "documentdialog.h"

class CodePageBox;
class ColorSwatch;
struct DialogServices;
class NumericField;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TexelFont;

// The font properties: the document's name, C variable name and GP32 file name, the extra
// character and line separation, the transparent colour and the flags proportional, serif
// and script, the rendering and the code page of the character codes, with the installed
// font, size, colour and style shown read-only.
//
// The document is handed over with setTexelFont before the dialog is shown; the dialog
// writes to it only on "Ok". Given no document, it closes as soon as it is shown. Its
// buttons form the array cmdCommands: objectName "cmdCommands_<index>" and the property
// "index" (0 "Cancel", 1 "Ok", 2 and 3 the two "Default" buttons).
class frmProperties : public DocumentDialog
{
    Q_OBJECT

public:
    explicit frmProperties(DialogServices &services, QWidget *parent = nullptr);
    ~frmProperties() override;

protected:
    void firstActivation() override;

private:
    void fillControls();
    // The names the document does not mark as custom follow the fields they derive from.
    void updateNames();
    void updateGP32FileName();
    QString calculatedGP32FileName() const;
    void defaultVariableName();
    void defaultGP32FileName();
    void chooseTransColor();
    void applyAndClose();
    void apply();

    DialogServices &mServices;

    QLineEdit *mName;
    QLineEdit *mTTFName;
    QLineEdit *mSize;
    ColorSwatch *mColor;
    QGroupBox *mStyle;
    QCheckBox *mBold;
    QCheckBox *mItalic;
    QCheckBox *mUnderline;
    QCheckBox *mStrikethrough;
    QLineEdit *mVariableName;
    QLineEdit *mGP32FileName;
    NumericField *mCharSepExtra;
    NumericField *mLineSepExtra;
    ColorSwatch *mTransColor;
    QCheckBox *mProportional;
    QCheckBox *mSerif;
    QCheckBox *mScript;
    QComboBox *mHinting;
    QCheckBox *mSmooth;
    QLabel *mSmoothNote;
    CodePageBox *mCodePage;
};
