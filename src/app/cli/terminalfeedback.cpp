#include "terminalfeedback.h"

#include <cstdio>

namespace {

// The capture of this thread, if any.
thread_local TerminalFeedback::Capture *tCapture = nullptr;

} // namespace

TerminalFeedback::Capture::Capture(const QString &subject) : mSubject(subject), mOuter(tCapture)
{
    tCapture = this;
}

TerminalFeedback::Capture::~Capture()
{
    tCapture = mOuter;
}

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
    if (tCapture) {
        const QString prefix = tCapture->mSubject + QStringLiteral(": ");
        lines = prefix + lines;
        lines.replace(QStringLiteral("\n"), QLatin1Char('\n') + prefix);
        lines.chop(prefix.size());
    }
    // Messages name fonts and files from foreign files: an escape sequence in one must not
    // reach the terminal.
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const char16_t u = lines.at(i).unicode();
        if ((u < 0x20 && u != '\n' && u != '\t') || (u >= 0x7F && u < 0xA0))
            lines.replace(i, 1, QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0')));
    }
    if (tCapture)
        tCapture->mText += lines;
    else
        std::fputs(lines.toUtf8().constData(), stderr);
}
