#pragma once

#include "failure.h"

#include <QString>
#include <QStringList>

// How the libraries talk to the person: questions, messages, the busy pointer and a
// progress bar. Windows answer with message boxes, the command-line tool with stderr and
// its flags, tests with a recorder.
class Feedback
{
public:
    // The title a message carries: the caption of the window that runs the operation, or
    // the program's own title.
    enum class Title { Window, Application };

    virtual ~Feedback() = default;

    // A yes/no question (before overwriting a file); true for yes.
    virtual bool ask(const QString &question) = 0;
    // A success message.
    virtual void inform(const QString &message, Title title = Title::Window) = 0;
    // A success message about the files written (full paths), so they can be found; the
    // windows name them and offer to open their folder. By default only the message.
    virtual void informWritten(const QString &message, const QStringList &files, Title title = Title::Window)
    {
        Q_UNUSED(files);
        inform(message, title);
    }
    // A failure message ("number: description", or the operation's own text).
    virtual void fail(const QString &message, Title title = Title::Window) = 0;

    virtual void setBusy(bool busy) = 0;
    virtual void setProgressRange(int minimum, int maximum) = 0;
    virtual void setProgressValue(int value) = 0;
    virtual void setProgressVisible(bool visible) = 0;
};

// Feedback that nobody sees: for work whose outcome the caller reports itself (a size
// estimate, a benchmark). Questions are answered no.
class SilentFeedback : public Feedback
{
public:
    bool ask(const QString &) override { return false; }
    void inform(const QString &, Title) override {}
    void fail(const QString &, Title) override {}
    void setBusy(bool) override {}
    void setProgressRange(int, int) override {}
    void setProgressValue(int) override {}
    void setProgressVisible(bool) override {}
};

// Tells the person of a failure: an OperationFailure under the program's title, any other
// under the window's.
inline void showFailure(const Failure &failure, Feedback &feedback)
{
    const bool operation = dynamic_cast<const OperationFailure *>(&failure) != nullptr;
    feedback.fail(failure.message(), operation ? Feedback::Title::Application : Feedback::Title::Window);
}

// Shows the busy pointer for the lifetime of the guard, also when an exception leaves.
class BusyGuard
{
public:
    explicit BusyGuard(Feedback &feedback) : mFeedback(feedback) { mFeedback.setBusy(true); }
    ~BusyGuard() { mFeedback.setBusy(false); }
    BusyGuard(const BusyGuard &) = delete;
    BusyGuard &operator=(const BusyGuard &) = delete;

private:
    Feedback &mFeedback;
};
