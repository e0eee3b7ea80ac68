#pragma once

#include "commanderrors.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

// The options and arguments of one command, with its help text. Parsing needs no
// application object, so a usage error is found before Qt's GUI layer starts.
class CommandLine
{
public:
    // syntax follows the command's name in the usage line ("[PROJECT.tsm] [options]").
    CommandLine(const QString &command, const QString &syntax, const QString &description);

    void addOption(const QCommandLineOption &option);
    void addFlag(const QString &name, const QString &description);
    void addValueOption(const QStringList &names, const QString &valueName, const QString &description);
    // Documents a positional argument in the help text.
    void addArgument(const QString &name, const QString &description);

    // Parses the arguments that follow the command's name; throws UsageError for an unknown
    // option, a missing value or fewer than minimum or more than maximum arguments.
    void parse(const QStringList &arguments, int minimum, int maximum);

    bool helpAsked() const;
    QString command() const { return mCommand; }
    QString helpText() const;

    bool isSet(const QString &name) const { return mParser.isSet(name); }
    QString value(const QString &name) const { return mParser.value(name); }
    QStringList arguments() const { return mParser.positionalArguments(); }
    // The positional argument, or "" when fewer were given.
    QString argument(int index) const;

    // The option's whole number within minimum..maximum, or defaultValue when it is not
    // set; throws UsageError naming the option otherwise.
    int intValue(const QString &name, int minimum, int maximum, int defaultValue) const;
    // Throws UsageError when more than one of the options is set.
    void requireAtMostOne(const QStringList &names) const;

private:
    QString mCommand;
    QString mSyntax;
    QCommandLineParser mParser;
};
