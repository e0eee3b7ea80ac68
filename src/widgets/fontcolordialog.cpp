#include "fontcolordialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FontColorDialog::FontColorDialog(const FontChoice &current, QWidget *parent)
    : QDialog(parent), mFonts(new QFontDialog(this)), mColorButton(new QPushButton(this)), mColor(current.color)
{
    setWindowTitle(QStringLiteral("Font"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    QFont font(current.font.name);
    font.setPointSizeF(current.font.size);
    font.setBold(current.font.bold);
    font.setItalic(current.font.italic);
    font.setStrikeOut(current.font.strikethrough);
    font.setUnderline(current.font.underline);
    // Shown inside this dialog, which adds the colour and the buttons.
    mFonts->setWindowFlags(Qt::Widget);
    mFonts->setSizeGripEnabled(false);
    mFonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    mFonts->setCurrentFont(font);

    auto *colorLabel = new QLabel(QStringLiteral("&Color:"), this);
    colorLabel->setBuddy(mColorButton);
    mColorButton->setObjectName(QStringLiteral("cmdColor"));
    mColorButton->setMinimumWidth(80);
    connect(mColorButton, &QPushButton::clicked, this, &FontColorDialog::chooseColor);
    showColor();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(mColorButton);
    colorRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mFonts);
    layout->addLayout(colorRow);
    layout->addWidget(buttons);
}

FontChoice FontColorDialog::choice() const
{
    const QFont font = mFonts->currentFont();
    FontChoice result;
    result.font.name = font.family();
    result.font.size = float(font.pointSizeF());
    result.font.bold = font.bold();
    result.font.italic = font.italic();
    result.font.strikethrough = font.strikeOut();
    result.font.underline = font.underline();
    result.color = mColor;
    return result;
}

void FontColorDialog::chooseColor()
{
    const QColor chosen =
        QColorDialog::getColor(QColor::fromRgb(pixelFromColor(mColor)), this, QStringLiteral("Color"));
    if (!chosen.isValid())
        return;
    mColor = colorFromPixel(chosen.rgb());
    showColor();
}

void FontColorDialog::showColor()
{
    QPixmap swatch(32, 14);
    swatch.fill(QColor::fromRgb(pixelFromColor(mColor)));
    mColorButton->setIcon(QIcon(swatch));
    mColorButton->setIconSize(swatch.size());
    mColorButton->setText(QColor::fromRgb(pixelFromColor(mColor)).name());
}
