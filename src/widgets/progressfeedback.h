#pragma once

#include "feedback.h"

#include <QPointer>

class QProgressBar;

// The program's Feedback as a dialog with a progress bar of its own gives it: messages and
// the busy pointer go to the program's Feedback, the progress to both, so the dialog's bar
// moves and the windows still repaint during long operations.
class ProgressFeedback : public Feedback
{
public:
    ProgressFeedback(Feedback &feedback, QProgressBar *bar);

    bool ask(const QString &question) override { return mFeedback.ask(question); }
    void inform(const QString &message, Title title = Title::Window) override { mFeedback.inform(message, title); }
    void informWritten(const QString &message, const QStringList &files, Title title = Title::Window) override
    {
        mFeedback.informWritten(message, files, title);
    }
    void fail(const QString &message, Title title = Title::Window) override { mFeedback.fail(message, title); }
    void setBusy(bool busy) override { mFeedback.setBusy(busy); }

    void setProgressRange(int minimum, int maximum) override;
    void setProgressValue(int value) override;
    void setProgressVisible(bool visible) override;

private:
    Feedback &mFeedback;
    QPointer<QProgressBar> mBar;
};
