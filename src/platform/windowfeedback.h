#pragma once

#include "feedback.h"

#include <QElapsedTimer>
#include <QPointer>

class QProgressBar;
class QWidget;

// The Feedback of a window: message boxes titled with the window's caption (or, without a
// window, the active window's, or the program's title), the busy pointer for the whole
// application, and the window's progress bar. While the progress moves, the windows are
// repainted now and then without taking any input.
class WindowFeedback : public Feedback
{
public:
    explicit WindowFeedback(QWidget *window, QProgressBar *progress = nullptr);
    ~WindowFeedback() override;

    bool ask(const QString &question) override;
    void inform(const QString &message, Title title = Title::Window) override;
    // The message and the files, one a line, with a button that opens the first one's folder.
    void informWritten(const QString &message, const QStringList &files, Title title = Title::Window) override;
    void fail(const QString &message, Title title = Title::Window) override;

    void setBusy(bool busy) override;
    void setProgressRange(int minimum, int maximum) override;
    void setProgressValue(int value) override;
    void setProgressVisible(bool visible) override;

private:
    QString caption(Title title) const;
    QWidget *parentWindow() const;

    QPointer<QWidget> mWindow;
    QPointer<QProgressBar> mProgress;
    int mBusyDepth = 0;
    QElapsedTimer mSinceRepaint;
};
