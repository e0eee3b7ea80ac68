#include "frmpostproperties.h"

#include "colorswatch.h"
#include "controlarray.h"
#include "numericfield.h"

#include "choosers.h"
#include "dialogservices.h"
#include "postprocesssettings.h"
#include "icons.h"
#include "texelfont.h"
#include "widgetfactory.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

NumericField *newNumber(const QString &name, bool allowMinus, QWidget *parent)
{
    auto *field = allowMinus ? new NumericField(-32768, 32767, parent) : new NumericField(0, 255, parent);
    field->setObjectName(name);
    field->setAlignment(Qt::AlignRight);
    field->setFixedWidth(44);
    return field;
}

QLabel *newParagraph(const QString &text, QWidget *parent)
{
    QLabel *label = newLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// "[a] pixel(s) wider, and [b] pixel(s) taller."
QHBoxLayout *sizeRow(NumericField *wider, NumericField *taller, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    row->addWidget(wider);
    row->addWidget(newLabel(QStringLiteral("pixel(s) wider, and"), parent));
    row->addWidget(taller);
    row->addWidget(newLabel(QStringLiteral("pixel(s) taller."), parent));
    row->addStretch();
    return row;
}

// "<caption> [x] , [y] <note>"
QHBoxLayout *positionRow(const QString &caption, NumericField *x, NumericField *y, const QString &note, QWidget *parent)
{
    auto *row = new QHBoxLayout;
    auto *label = newLabel(caption, parent);
    label->setMinimumWidth(180);
    row->addWidget(label);
    row->addWidget(x);
    row->addWidget(newLabel(QStringLiteral(","), parent));
    row->addWidget(y);
    row->addWidget(newLabel(note, parent));
    row->addStretch();
    return row;
}

} // namespace

frmPostProperties::frmPostProperties(DialogServices &services, QWidget *parent)
    : DocumentDialog(parent),
      mServices(services),
      mPostprocessed(newButton<QCheckBox>(QStringLiteral("chkPostprocessed"),
                                          QStringLiteral("The font will be postprocessed"), this)),
      mPostprocessFrame(newFrame(QStringLiteral("fraPostprocess"), this)),
      mCharWidthInc(newNumber(QStringLiteral("txtCharWidthInc"), false, mPostprocessFrame)),
      mCharHeightInc(newNumber(QStringLiteral("txtCharHeightInc"), false, mPostprocessFrame)),
      mMasked(newButton<QCheckBox>(QStringLiteral("chkMasked"), QStringLiteral("Font includes an alpha mask"),
                                   mPostprocessFrame)),
      mMaskFrame(newFrame(QStringLiteral("fraMask"), mPostprocessFrame)),
      mGeneric(newButton<QRadioButton>(QStringLiteral("optGeneric"), QStringLiteral("Generic alpha mask"), mMaskFrame)),
      mShadow(newButton<QRadioButton>(QStringLiteral("optShadow"), QStringLiteral("Shadow alpha mask"), mMaskFrame)),
      mInvertMask(newButton<QCheckBox>(QStringLiteral("chkInvertMask"),
                                       QStringLiteral("Invert intensity levels in the alpha mask for postprocessing"),
                                       mMaskFrame)),
      mShadowMaskFrame(newFrame(QStringLiteral("fraShadowMask"), mMaskFrame)),
      mMaskWidthInc(newNumber(QStringLiteral("txtMaskWidthInc"), true, mShadowMaskFrame)),
      mMaskHeightInc(newNumber(QStringLiteral("txtMaskHeightInc"), true, mShadowMaskFrame)),
      mShadowOX(newNumber(QStringLiteral("txtShadowOX"), true, mShadowMaskFrame)),
      mShadowOY(newNumber(QStringLiteral("txtShadowOY"), true, mShadowMaskFrame)),
      mShadowXPos(newNumber(QStringLiteral("txtShadowXPos"), true, mShadowMaskFrame)),
      mShadowYPos(newNumber(QStringLiteral("txtShadowYPos"), true, mShadowMaskFrame)),
      mShadowColor(new ColorSwatch(true, mShadowMaskFrame))
{
    setObjectName(QStringLiteral("frmPostProperties"));
    setWindowTitle(QStringLiteral("Postprocessing properties"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());
    mShadowColor->setObjectName(QStringLiteral("lblShadowColor"));
    mShadowColor->setToolTip(QStringLiteral("Click to choose the color of the shadow"));

    auto *shadowLayout = new QVBoxLayout(mShadowMaskFrame);
    shadowLayout->addWidget(newLabel(QStringLiteral("Compared to the resulting postprocessed characters, character "
                                                    "masks of the font will be:"),
                                     mShadowMaskFrame));
    shadowLayout->addLayout(sizeRow(mMaskWidthInc, mMaskHeightInc, mShadowMaskFrame));
    shadowLayout->addLayout(positionRow(QStringLiteral("Neutral position of the shadow:"), mShadowOX, mShadowOY,
                                        QStringLiteral("(shadow is just underneath the character)"), mShadowMaskFrame));
    shadowLayout->addLayout(positionRow(QStringLiteral("Default position of the shadow:"), mShadowXPos, mShadowYPos,
                                        QStringLiteral("(in reference to the neutral position)"), mShadowMaskFrame));
    auto *colorRow = new QHBoxLayout;
    auto *colorLabel = newLabel(QStringLiteral("Default color of the shadow:"), mShadowMaskFrame);
    colorLabel->setMinimumWidth(180);
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(mShadowColor);
    colorRow->addStretch();
    shadowLayout->addLayout(colorRow);

    auto *maskLayout = new QVBoxLayout(mMaskFrame);
    auto *types = new QHBoxLayout;
    types->addWidget(mGeneric);
    types->addSpacing(24);
    types->addWidget(mShadow);
    types->addStretch();
    maskLayout->addLayout(types);
    maskLayout->addWidget(mInvertMask);
    maskLayout->addWidget(mShadowMaskFrame);

    auto *postLayout = new QVBoxLayout(mPostprocessFrame);
    postLayout->addWidget(newLabel(QStringLiteral("Compared to the Windows font characters, postprocessed "
                                                  "characters of the font will be:"),
                                   mPostprocessFrame));
    postLayout->addLayout(sizeRow(mCharWidthInc, mCharHeightInc, mPostprocessFrame));
    postLayout->addWidget(mMasked);
    postLayout->addWidget(mMaskFrame);

    QPushButton *ok = newCommand(QStringLiteral("Ok"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmPostProperties::applyAndClose);
    QPushButton *cancel = newCommand(QStringLiteral("Cancel"), 0, this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    const QString texts[3] = {
        QStringLiteral("To enhance your font, you have the possibility to postprocess it with your favourite "
                       "image processor. You can change colors, add an outline, a gradient, a texture or a "
                       "shadow, anything you want."),
        QStringLiteral("For some really nice effects you can also add an alpha mask to the font. Two types of "
                       "alpha mask are available, a generic alpha mask for all purpose postprocessing and a "
                       "special shadow alpha mask more flexible for shadow positioning than the generic alpha "
                       "mask."),
        QStringLiteral("Depending of the postprocessing you will do on the bitmaps, the sizes of the characters "
                       "calculated automatically by TexelSmithy can be altered. And for fonts with a shadow "
                       "alpha mask, the characters of the font can have a different size compared to the shadow "
                       "mask of the same character."),
    };
    // The explanations wrap within the width of the frames below them.
    const int textWidth = mPostprocessFrame->sizeHint().width();
    for (const QString &text : texts) {
        QLabel *label = newParagraph(text, this);
        label->setFixedWidth(textWidth);
        layout->addWidget(label);
    }
    layout->addSpacing(4);
    layout->addWidget(mPostprocessed);
    layout->addWidget(mPostprocessFrame);
    addRuleAndCommands(layout, this, {ok, cancel});
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QAbstractButton *button : std::initializer_list<QAbstractButton *>{mPostprocessed, mMasked, mGeneric, mShadow})
        connect(button, &QAbstractButton::toggled, this, &frmPostProperties::updateFrames);
    connect(mShadowColor, &ColorSwatch::clicked, this, &frmPostProperties::chooseShadowColor);
}

frmPostProperties::~frmPostProperties() = default;

void frmPostProperties::firstActivation()
{
    updateFrames();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fillControls();
    QApplication::restoreOverrideCursor();
}

// The enabled states form a chain: each frame counts only while the ones around it do.
void frmPostProperties::updateFrames()
{
    PostprocessSettings chosen;
    chosen.Postprocessed = mPostprocessed->isChecked();
    chosen.Masked = mMasked->isChecked();
    chosen.ShadowMask = mShadow->isChecked();
    EnableControl(mPostprocessFrame, chosen.incrementsCount());
    EnableControl(mMaskFrame, chosen.maskCounts());
    EnableControl(mShadowMaskFrame, chosen.shadowCounts());
}

// Check boxes and options set to a new state raise their rules, so the frames end up
// enabled as the filled values say.
void frmPostProperties::fillControls()
{
    mPostprocessed->setChecked(moFont->Postprocessed);
    mCharHeightInc->setValue(moFont->CharHeightInc);
    mCharWidthInc->setValue(moFont->CharWidthInc);
    mMasked->setChecked(moFont->Masked);
    (moFont->ShadowMask ? mShadow : mGeneric)->setChecked(true);
    mMaskHeightInc->setValue(moFont->MaskHeightInc);
    mMaskWidthInc->setValue(moFont->MaskWidthInc);
    mShadowOX->setValue(moFont->ShadowOX);
    mShadowOY->setValue(moFont->ShadowOY);
    mShadowXPos->setValue(moFont->ShadowXPos);
    mShadowYPos->setValue(moFont->ShadowYPos);
    mShadowColor->setColor(moFont->ShadowColor);
    mInvertMask->setChecked(moFont->InvertMask);
}

void frmPostProperties::chooseShadowColor()
{
    if (const std::optional<Color> chosen = mServices.choosers.chooseColor(this, mShadowColor->color()))
        mShadowColor->setColor(*chosen);
}

void frmPostProperties::applyAndClose()
{
    apply();
    accept();
}

void frmPostProperties::apply()
{
    if (!moFont)
        return;
    applyPostprocessing(*moFont, shown());
}

// The fields a disabled frame hides are passed as shown; applyPostprocessing resets them.
PostprocessSettings frmPostProperties::shown()
{
    return {mPostprocessed->isChecked(),
            qint16(mCharWidthInc->appliedValue()),
            qint16(mCharHeightInc->appliedValue()),
            mMasked->isChecked(),
            mShadow->isChecked(),
            mInvertMask->isChecked(),
            qint16(mMaskWidthInc->appliedValue()),
            qint16(mMaskHeightInc->appliedValue()),
            qint16(mShadowOX->appliedValue()),
            qint16(mShadowOY->appliedValue()),
            qint16(mShadowXPos->appliedValue()),
            qint16(mShadowYPos->appliedValue()),
            mShadowColor->color()};
}
