#pragma once

#include "feedback.h"

#include <QElapsedTimer>
#include <QPointer>

class QWidget;

// The Feedback of the windows: message boxes over the modal dialog in front, else over the
// main window (or the active one), titled with its caption or the program's title, and the
// busy pointer for the whole application. While a progress moves, the windows are repainted
// now and then without taking any input; the progress bars are the dialogs' own.
class WindowFeedback : public Feedback
{
public:
    explicit WindowFeedback(QWidget *mainWindow = nullptr);
    ~WindowFeedback() override;

    bool ask(const QString &question) override;
    void inform(const QString &message, Title title = Title::Window) override;
    // The message and the files, one a line, with a button that opens the first one's folder.
    void informWritten(const QString &message, const QStringList &files, Title title = Title::Window) override;
    void fail(const QString &message, Title title = Title::Window) override;

    void setBusy(bool busy) override;
    void setProgressRange(int, int) override {}
    void setProgressValue(int value) override;
    void setProgressVisible(bool) override {}

    void setMainWindow(QWidget *window) { mMainWindow = window; }

private:
    QString caption(Title title) const;
    QWidget *parentWindow() const;

    QPointer<QWidget> mMainWindow;
    int mBusyDepth = 0;
    QElapsedTimer mSinceRepaint;
};
