#pragma once

#include "feedback.h"

#include <QtGlobal>

// A Feedback for benchmarks: says yes, shows nothing, and stops at the first failure.
class QuietFeedback : public Feedback
{
public:
    bool ask(const QString &) override { return true; }
    void inform(const QString &, Title) override {}
    void fail(const QString &message, Title) override { qFatal("%s", qPrintable(message)); }
    void setBusy(bool) override {}
    void setProgressRange(int, int) override {}
    void setProgressValue(int) override {}
    void setProgressVisible(bool) override {}
};
