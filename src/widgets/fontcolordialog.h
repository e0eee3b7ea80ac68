#pragma once

#include "choosers.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

// The font dialog: installed families only, with the effects strike-out and underline and
// a font colour.
class FontColorDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FontColorDialog(const FontChoice &current, QWidget *parent = nullptr);

    FontChoice choice() const;

private:
    void chooseColor();
    void showColor();

    QFontDialog *mFonts;
    QPushButton *mColorButton;
    Color mColor;
};
