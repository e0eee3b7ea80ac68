#pragma once

#include "choosers.h"

#include <QList>
#include <QStringList>

// Choosers that answer from queues and record what they were asked.
class ScriptedChoosers : public Choosers
{
public:
    QStringList openNames;
    QStringList saveNames;
    QList<std::optional<FontChoice>> fonts;
    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QList<FontChoice> fontRequests;
    // Colours to answer (nothing once used up: a cancel), and the colours asked about.
    QList<std::optional<Color>> colors;
    QList<Color> colorRequests;
    // Answers about unsaved changes; once used up, Cancel.
    QList<UnsavedChanges> unsavedAnswers;
    QStringList unsavedNames;

    QString openFileName(QWidget *, const FileRequest &request) override
    {
        openRequests.append(request);
        return openNames.isEmpty() ? QString() : openNames.takeFirst();
    }
    QString saveFileName(QWidget *, const FileRequest &request) override
    {
        saveRequests.append(request);
        return saveNames.isEmpty() ? QString() : saveNames.takeFirst();
    }
    std::optional<FontChoice> chooseFont(QWidget *, const FontChoice &current) override
    {
        fontRequests.append(current);
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }
    std::optional<Color> chooseColor(QWidget *, Color current) override
    {
        colorRequests.append(current);
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }
    UnsavedChanges askSaveChanges(QWidget *, const QString &name) override
    {
        unsavedNames.append(name);
        return unsavedAnswers.isEmpty() ? UnsavedChanges::Cancel : unsavedAnswers.takeFirst();
    }
};
