#pragma once

#include "fileroles.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

class GuiSession;
class TerminalFeedback;

// What a command works with besides its options.
struct CommandEnvironment
{
    TerminalFeedback &feedback;
    GuiSession &gui;
};

// Exit statuses of the tool.
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitFailure = 1;
inline constexpr int ExitUsage = 2;

// ExitSuccess when the operation succeeded and nothing was reported as failed or refused.
int exitStatus(bool succeeded, const TerminalFeedback &feedback);

// Writes a command's result to stdout: bytes as they are, a line as UTF-8 with "\n".
void writeResult(const QByteArray &bytes);
void writeResultLine(const QString &line);

// Checks a command's files before anything is written, so a refused command leaves every
// file as it was: throws refuseSharedFiles' Failure for an output without a name or one
// that would replace another file, whatever force says; then, where a window would ask
// before overwriting, CommandFailure naming the first output that exists, unless force is
// set.
void refuseOutputs(const QList<FileRole> &files, bool force);
