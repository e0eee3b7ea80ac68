#include "commandline.h"

CommandLine::CommandLine(const QString &command, const QString &syntax, const QString &description)
    : mCommand(command), mSyntax(syntax)
{
    mParser.setApplicationDescription(description);
    addOption(
        QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")));
}

void CommandLine::addOption(const QCommandLineOption &option)
{
    mParser.addOption(option);
}

void CommandLine::addFlag(const QString &name, const QString &description)
{
    addOption(QCommandLineOption(name, description));
}

void CommandLine::addValueOption(const QStringList &names, const QString &valueName, const QString &description)
{
    addOption(QCommandLineOption(names, description, valueName));
}

void CommandLine::addArgument(const QString &name, const QString &description)
{
    mParser.addPositionalArgument(name, description);
}

void CommandLine::parse(const QStringList &arguments, int minimum, int maximum)
{
    // The parser takes the first word as the program's name.
    if (!mParser.parse(QStringList{mCommand} + arguments))
        throw UsageError{mParser.errorText()};
    if (helpAsked())
        return;
    const qsizetype count = mParser.positionalArguments().size();
    if (count < minimum)
        throw UsageError{QStringLiteral("Missing argument.")};
    if (count > maximum) {
        throw UsageError{QStringLiteral("Unexpected argument '%1'.").arg(mParser.positionalArguments().at(maximum))};
    }
}

bool CommandLine::helpAsked() const
{
    return mParser.isSet(QStringLiteral("help"));
}

QString CommandLine::helpText() const
{
    // The parser's own usage line names the executable only; ours names the command.
    QString text = mParser.helpText();
    text.remove(0, text.indexOf(QLatin1Char('\n')) + 1);
    return QStringLiteral("Usage: texelsmithy-cli %1 %2\n").arg(mCommand, mSyntax) + text;
}

QString CommandLine::argument(int index) const
{
    const QStringList given = mParser.positionalArguments();
    return index < given.size() ? given.at(index) : QString();
}

int CommandLine::intValue(const QString &name, int minimum, int maximum, int defaultValue) const
{
    if (!isSet(name))
        return defaultValue;
    bool ok = false;
    const int number = value(name).toInt(&ok);
    if (!ok || number < minimum || number > maximum) {
        throw UsageError{QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'.")
                             .arg(name)
                             .arg(minimum)
                             .arg(maximum)
                             .arg(value(name))};
    }
    return number;
}

void CommandLine::requireAtMostOne(const QStringList &names) const
{
    QStringList given;
    for (const QString &name : names) {
        if (isSet(name))
            given.append(QStringLiteral("--") + name);
    }
    if (given.size() > 1)
        throw UsageError{given.join(QStringLiteral(" and ")) + QStringLiteral(" cannot be used together.")};
}
