#include "colorchooser.h"

#include <QColorDialog>

std::optional<Color> ColorChooser::chooseColor(QWidget *parent, Color current)
{
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(pixelFromColor(current)), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return colorFromPixel(chosen.rgb());
}
