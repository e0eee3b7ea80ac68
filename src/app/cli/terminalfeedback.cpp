#include "terminalfeedback.h"

#include <cstdio>

bool TerminalFeedback::ask(const QString &question)
{
    if (mForce)
        return true;
    print(question + QStringLiteral(" Refused: the file exists; use --force to overwrite it."));
    mFailed = true;
    return false;
}

void TerminalFeedback::inform(const QString &message, Title)
{
    print(message);
}

void TerminalFeedback::fail(const QString &message, Title)
{
    print(message);
    mFailed = true;
}

void TerminalFeedback::print(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (!lines.endsWith(QLatin1Char('\n')))
        lines += QLatin1Char('\n');
    std::fputs(lines.toUtf8().constData(), stderr);
}
