#pragma once

#include <QString>

// A mistake in how the tool was called: exit status 2, the message and the usage on stderr.
struct UsageError
{
    QString message;
};

// A refusal or failure of the tool's own (an output that exists, a project that is not
// post-processed): exit status 1, the message on stderr. An empty message stands for a
// failure that the routine has already reported.
struct CommandFailure
{
    QString message;
};
