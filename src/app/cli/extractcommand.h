#pragma once

#include <QString>

#include <optional>

class CommandLine;
struct CommandEnvironment;
struct FoundFont;

// extract FILE: lists the ZGF fonts embedded in a file, or saves one or all of them, with
// the scanner and the extraction the extractor window uses.
class ExtractCommand
{
public:
    static void declare(CommandLine &line);
    explicit ExtractCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    int list(const QList<FoundFont> &fonts, CommandEnvironment &environment) const;
    int extractOne(const QList<FoundFont> &fonts, CommandEnvironment &environment) const;
    int extractAll(const QList<FoundFont> &fonts, CommandEnvironment &environment) const;

    QString mSource;
    std::optional<qint64> mOffset;
    QString mOutput;
    bool mAll = false;
    QString mFolder;
    bool mForce = false;
};
