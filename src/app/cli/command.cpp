#include "command.h"

#include "commanderrors.h"
#include "paths.h"
#include "terminalfeedback.h"

#include <QFileInfo>

#include <cstdio>

int exitStatus(bool succeeded, const TerminalFeedback &feedback)
{
    return succeeded && !feedback.failed() ? ExitSuccess : ExitFailure;
}

void writeResult(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

void writeResultLine(const QString &line)
{
    writeResult(line.toUtf8() + '\n');
}

void refuseOutputs(const QList<FileRole> &files, bool force)
{
    refuseSharedFiles(files);
    if (force)
        return;
    for (const QString &path : outputPaths(files)) {
        if (QFileInfo::exists(ordinaryPath(path)))
            throw CommandFailure{QStringLiteral("%1 exists; use --force to overwrite it.").arg(path)};
    }
}
