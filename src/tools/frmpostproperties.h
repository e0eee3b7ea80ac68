#pragma once

#include "documentdialog.h"
#include "postprocesssettings.h"

class ColorSwatch;
struct DialogServices;
class NumericField;
class QCheckBox;
class QGroupBox;
class QRadioButton;
class TexelFont;

// The post-processing properties: whether the font is post-processed by hand and by how
// much its characters grow, whether it carries an alpha mask, generic or shadow, with
// inverted levels or not, and for a shadow mask its growth, the shadow's neutral and
// default positions and its default colour.
//
// Three nested frames are enabled only while the choices above them make them count;
// "Ok" stores the reset value for every setting a disabled frame hides. The document is
// handed over with setTexelFont before the dialog is shown and written only on "Ok";
// given no document, the dialog closes as soon as it is shown. Buttons: objectName
// "cmdCommands_<index>" and the property "index" (0 "Cancel", 1 "Ok").
class frmPostProperties : public DocumentDialog
{
    Q_OBJECT

public:
    explicit frmPostProperties(DialogServices &services, QWidget *parent = nullptr);
    ~frmPostProperties() override;

protected:
    void firstActivation() override;

private:
    void updateFrames();
    void fillControls();
    void chooseShadowColor();
    void applyAndClose();
    void apply();
    PostprocessSettings shown();

    DialogServices &mServices;

    QCheckBox *mPostprocessed;
    QGroupBox *mPostprocessFrame;
    NumericField *mCharWidthInc;
    NumericField *mCharHeightInc;
    QCheckBox *mMasked;
    QGroupBox *mMaskFrame;
    QRadioButton *mGeneric;
    QRadioButton *mShadow;
    QCheckBox *mInvertMask;
    QGroupBox *mShadowMaskFrame;
    NumericField *mMaskWidthInc;
    NumericField *mMaskHeightInc;
    NumericField *mShadowOX;
    NumericField *mShadowOY;
    NumericField *mShadowXPos;
    NumericField *mShadowYPos;
    ColorSwatch *mShadowColor;
};
