#pragma once

#include "colorchooser.h"

#include <QList>

// A colour chooser that answers from a queue (nothing once it is empty: a cancel) and
// records the colours it was opened on.
class ScriptedColors : public ColorChooser
{
public:
    QList<std::optional<Color>> answers;
    QList<Color> asked;

    std::optional<Color> chooseColor(QWidget *, Color current) override
    {
        asked.append(current);
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
};
