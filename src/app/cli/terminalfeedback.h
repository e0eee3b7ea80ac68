#pragma once

#include "feedback.h"

// The Feedback of the command-line tool: every message goes to stderr, one line per line of
// the message. A question is never put to the person: with force it is answered yes,
// otherwise it is refused and the refusal is reported, so the command ends with a failure.
// Busy pointer and progress bar have no counterpart on a terminal.
class TerminalFeedback : public Feedback
{
public:
    void setForce(bool force) { mForce = force; }

    bool ask(const QString &question) override;
    void inform(const QString &message, Title title = Title::Window) override;
    void fail(const QString &message, Title title = Title::Window) override;

    void setBusy(bool) override {}
    void setProgressRange(int, int) override {}
    void setProgressValue(int) override {}
    void setProgressVisible(bool) override {}

    // Whether a failure was reported or a question refused since the start.
    bool failed() const { return mFailed; }

    // Writes the text to stderr with CR LF and lone CR as line ends, and a final line end;
    // other control characters but tabs are written as \xNN. Under a Capture the lines go to
    // it instead.
    static void print(const QString &text);

    // While it lives, what this thread prints is kept, not written, every line beginning
    // with subject + ": ": the messages of one of several files, written in their order
    // once that file is done.
    class Capture
    {
    public:
        explicit Capture(const QString &subject);
        ~Capture();
        Capture(const Capture &) = delete;
        Capture &operator=(const Capture &) = delete;

        // The lines printed so far.
        const QString &text() const { return mText; }

    private:
        friend class TerminalFeedback;
        QString mSubject;
        QString mText;
        Capture *mOuter;
    };

private:
    bool mForce = false;
    bool mFailed = false;
};
