#include "frmproperties.h"

#include "codepagebox.h"
#include "colorswatch.h"
#include "controlarray.h"
#include "numericfield.h"

#include "choosers.h"
#include "dialogservices.h"
#include "fontnaming.h"
#include "icons.h"
#include "spaces.h"
#include "texelfont.h"
#include "widgetfactory.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A check box state as the document's name rules take it: nonzero for set.
qint16 flag(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

frmProperties::frmProperties(DialogServices &services, QWidget *parent)
    : DocumentDialog(parent),
      mServices(services),
      mName(newField(QStringLiteral("txtName"), this)),
      mTTFName(newField(QStringLiteral("txtTTFName"), this)),
      mSize(newField(QStringLiteral("txtSize"), this)),
      mColor(new ColorSwatch(false, this)),
      mStyle(new QGroupBox(this)),
      mBold(newButton<QCheckBox>(QStringLiteral("chkBold"), QStringLiteral("Bold"), mStyle)),
      mItalic(newButton<QCheckBox>(QStringLiteral("chkItalic"), QStringLiteral("Italic"), mStyle)),
      mUnderline(newButton<QCheckBox>(QStringLiteral("chkUnderline"), QStringLiteral("Underline"), mStyle)),
      mStrikethrough(newButton<QCheckBox>(QStringLiteral("chkStrikethrough"), QStringLiteral("Strikethrough"), mStyle)),
      mVariableName(newField(QStringLiteral("txtVariableName"), this)),
      mGP32FileName(newField(QStringLiteral("txtGP32FileName"), this)),
      mCharSepExtra(new NumericField(-32768, 32767, this)),
      mLineSepExtra(new NumericField(-32768, 32767, this)),
      mTransColor(new ColorSwatch(true, this)),
      mProportional(
          newButton<QCheckBox>(QStringLiteral("chkProportional"), QStringLiteral("Proportionally spaced font"), this)),
      mSerif(newButton<QCheckBox>(QStringLiteral("chkSerif"), QStringLiteral("Font with serif  (like Times New Roman)"),
                                  this)),
      mScript(newButton<QCheckBox>(QStringLiteral("chkScript"), QStringLiteral("Script font"), this)),
      mHinting(new QComboBox(this)),
      mSmooth(newButton<QCheckBox>(QStringLiteral("chkSmooth"), QStringLiteral("Smooth edges"), this)),
      mSmoothNote(newLabel(QStringLiteral("No effect without a generic alpha mask: check \"Font includes an alpha "
                                          "mask\" and \"Generic alpha mask\" in Font > Postprocessing properties."),
                           this, QStringLiteral("lblSmoothNote"))),
      mCodePage(new CodePageBox(QStringLiteral("cbxCodePage"), this))
{
    setObjectName(QStringLiteral("frmProperties"));
    setWindowTitle(QStringLiteral("Font properties"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());

    QFont bold = mName->font();
    bold.setBold(true);
    mName->setFont(bold);
    showAsReadOnly(mTTFName);
    showAsReadOnly(mSize);
    // Room for a derived name of 24 characters, such as "dejaVuSansCondensed12biu".
    mVariableName->setMinimumWidth(mVariableName->fontMetrics().horizontalAdvance(QString(24, QLatin1Char('n'))) + 16);
    mColor->setObjectName(QStringLiteral("lblColor"));
    mStyle->setObjectName(QStringLiteral("fraStyle"));
    mStyle->setEnabled(false);
    mCharSepExtra->setObjectName(QStringLiteral("txtCharSepExtra"));
    mLineSepExtra->setObjectName(QStringLiteral("txtLineSepExtra"));
    mTransColor->setObjectName(QStringLiteral("lblTransColor"));
    mTransColor->setToolTip(QStringLiteral("Click to choose the transparent color"));
    for (NumericField *field : {mCharSepExtra, mLineSepExtra}) {
        field->setAlignment(Qt::AlignRight);
        field->setFixedWidth(52);
    }

    mHinting->setObjectName(QStringLiteral("cbxHinting"));
    for (const Hinting hinting : {Hinting::None, Hinting::Slight, Hinting::Full})
        mHinting->addItem(hintingName(hinting), int(hinting));
    mHinting->setToolTip(QStringLiteral("How the outlines are fitted to the pixels: full is the sharpest, none keeps "
                                        "the shapes and spacing of the design"));
    mSmooth->setToolTip(QStringLiteral("A masked font without shadow mask gets ink wherever a glyph covers part of "
                                       "a pixel, and the coverage in its alpha mask"));
    mSmoothNote->setWordWrap(true);

    auto *styles = new QHBoxLayout(mStyle);
    for (QCheckBox *box : {mBold, mItalic, mUnderline, mStrikethrough})
        styles->addWidget(box);
    styles->addStretch();

    QPushButton *cancel = newCommand(QStringLiteral("Cancel"), 0, this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton *ok = newCommand(QStringLiteral("Ok"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmProperties::applyAndClose);
    QPushButton *variableDefault = newCommand(QStringLiteral("Default"), 2, this);
    connect(variableDefault, &QPushButton::clicked, this, &frmProperties::defaultVariableName);
    QPushButton *fileDefault = newCommand(QStringLiteral("Default"), 3, this);
    connect(fileDefault, &QPushButton::clicked, this, &frmProperties::defaultGP32FileName);

    auto label = [this](const QString &text) { return newLabel(text, this); };
    auto pixels = [&label](NumericField *field) {
        auto *row = new QHBoxLayout;
        row->addWidget(field);
        row->addWidget(label(QStringLiteral("pixels")));
        row->addStretch();
        return row;
    };

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    grid->addWidget(mName, 0, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("Font name:")), 1, 0);
    grid->addWidget(mTTFName, 1, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Font size:")), 2, 0);
    auto *sizeRow = new QHBoxLayout;
    mSize->setFixedWidth(60);
    sizeRow->addWidget(mSize);
    sizeRow->addSpacing(16);
    sizeRow->addWidget(label(QStringLiteral("Font color:")));
    sizeRow->addWidget(mColor);
    sizeRow->addStretch();
    grid->addLayout(sizeRow, 2, 1, 1, 2);
    grid->addWidget(mStyle, 3, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("Variable name:")), 4, 0);
    grid->addWidget(mVariableName, 4, 1);
    grid->addWidget(variableDefault, 4, 2);
    grid->addWidget(label(QStringLiteral("GP32 file name:")), 5, 0);
    grid->addWidget(mGP32FileName, 5, 1);
    grid->addWidget(fileDefault, 5, 2);
    grid->addWidget(label(QStringLiteral("Char separation:")), 6, 0);
    grid->addLayout(pixels(mCharSepExtra), 6, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Line separation:")), 7, 0);
    grid->addLayout(pixels(mLineSepExtra), 7, 1, 1, 2);
    grid->addWidget(label(QStringLiteral("Transparent color:")), 8, 0);
    grid->addWidget(mTransColor, 8, 1, Qt::AlignLeft);
    grid->addWidget(mProportional, 9, 0, 1, 3);
    grid->addWidget(mSerif, 10, 0, 1, 3);
    grid->addWidget(mScript, 11, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("Hinting:")), 12, 0);
    grid->addWidget(mHinting, 12, 1, Qt::AlignLeft);
    grid->addWidget(mSmooth, 13, 0, 1, 3);
    grid->addWidget(mSmoothNote, 14, 0, 1, 3);
    grid->addWidget(label(QStringLiteral("Code page:")), 15, 0);
    grid->addWidget(mCodePage, 15, 1, Qt::AlignLeft);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(10);
    layout->addLayout(grid);
    addRuleAndCommands(layout, this, {ok, cancel});
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(380);

    connect(mName, &QLineEdit::textChanged, this, &frmProperties::updateNames);
    connect(mVariableName, &QLineEdit::textChanged, this, &frmProperties::updateGP32FileName);
    for (QCheckBox *box : {mProportional, mSerif, mScript})
        connect(box, &QCheckBox::toggled, this, &frmProperties::updateNames);
    connect(mTransColor, &ColorSwatch::clicked, this, &frmProperties::chooseTransColor);
}

frmProperties::~frmProperties() = default;

void frmProperties::firstActivation()
{
    mName->setMaxLength(FontNaming::MaxName);
    mVariableName->setMaxLength(FontNaming::MaxVariableName);
    mGP32FileName->setMaxLength(FontNaming::MaxGP32FileName);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    fillControls();
    QApplication::restoreOverrideCursor();
}

// Each text and check box set here raises its change rule, as an edit does, so the names
// that the document does not mark as custom follow the filled values.
void frmProperties::fillControls()
{
    mName->setText(moFont->Name());
    mTTFName->setText(moFont->TTFName());
    mSize->setText(QString::number(double(moFont->Size())));
    mColor->setColor(moFont->Color);
    mBold->setChecked(moFont->Bold());
    mItalic->setChecked(moFont->Italic());
    mStrikethrough->setChecked(moFont->Strikethrough());
    mUnderline->setChecked(moFont->Underline());
    mVariableName->setText(moFont->VariableName());
    mGP32FileName->setText(moFont->GP32FileName());
    mCharSepExtra->setValue(moFont->CharSepExtra);
    mLineSepExtra->setValue(moFont->LineSepExtra);
    mTransColor->setColor(moFont->TransColor);
    mProportional->setChecked(moFont->Proportional);
    mScript->setChecked(moFont->Script);
    mSerif->setChecked(moFont->Serif);
    mHinting->setCurrentIndex(mHinting->findData(int(moFont->Hinting())));
    mSmooth->setChecked(moFont->Smooth());
    mCodePage->setPage(moFont->CodePage());
    // Kept as stored, but not offered where it cannot change a pixel.
    mSmooth->setEnabled(moFont->hasGenericMask());
    mSmoothNote->setVisible(!moFont->hasGenericMask());
}

// The custom flags are the document's, so they stay as they were when the dialog opened.
void frmProperties::updateNames()
{
    if (!moFont)
        return;
    if (!moFont->CustomVariableName)
        mVariableName->setText(moFont->CalculateVariableName(mName->text()));
    updateGP32FileName();
}

void frmProperties::updateGP32FileName()
{
    if (!moFont || moFont->CustomGP32FileName)
        return;
    mGP32FileName->setText(calculatedGP32FileName());
}

void frmProperties::applyAndClose()
{
    apply();
    accept();
}

// The "Default" buttons calculate a name whether it is custom or not.
void frmProperties::defaultVariableName()
{
    if (moFont)
        mVariableName->setText(moFont->CalculateVariableName(mName->text()));
}

void frmProperties::defaultGP32FileName()
{
    if (moFont)
        mGP32FileName->setText(calculatedGP32FileName());
}

QString frmProperties::calculatedGP32FileName() const
{
    return moFont->CalculateGP32FileName(mName->text(), mVariableName->text(), flag(mProportional), flag(mSerif),
                                         flag(mScript));
}

void frmProperties::chooseTransColor()
{
    if (const std::optional<Color> chosen = mServices.choosers.chooseColor(this, mTransColor->color()))
        mTransColor->setColor(*chosen);
}

// Setting a field's text raises its change rule before the next field is read.
void frmProperties::apply()
{
    if (!moFont)
        return;
    const QString name = trimSpaces(mName->text());
    mName->setText(name.isEmpty() ? moFont->familyName() : name);
    const QString variableName = withoutSpaces(mVariableName->text());
    mVariableName->setText(variableName.isEmpty() ? moFont->VariableName() : variableName);
    const QString fileName = withoutSpaces(mGP32FileName->text()).toLower();
    mGP32FileName->setText(fileName.isEmpty() ? moFont->GP32FileName() : fileName);

    applyFontNaming(*moFont,
                    {mName->text(), mVariableName->text(), mGP32FileName->text(), mProportional->isChecked(),
                     mSerif->isChecked(), mScript->isChecked()});
    moFont->CharSepExtra = qint16(mCharSepExtra->appliedValue());
    moFont->LineSepExtra = qint16(mLineSepExtra->appliedValue());
    moFont->TransColor = mTransColor->color();
    moFont->setHinting(Hinting(mHinting->currentData().toInt()));
    moFont->setSmooth(mSmooth->isChecked());
    moFont->setCodePage(mCodePage->page());
}
