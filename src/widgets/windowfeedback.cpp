#include "windowfeedback.h"

#include "version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

namespace {

// How often a long operation lets the windows repaint, milliseconds.
constexpr qint64 RepaintInterval = 50;

} // namespace

WindowFeedback::WindowFeedback(QWidget *mainWindow) : mMainWindow(mainWindow)
{
    mSinceRepaint.start();
}

WindowFeedback::~WindowFeedback()
{
    while (mBusyDepth > 0)
        setBusy(false);
}

QWidget *WindowFeedback::parentWindow() const
{
    if (QWidget *dialog = QApplication::activeModalWidget())
        return dialog;
    return mMainWindow ? mMainWindow->window() : QApplication::activeWindow();
}

QString WindowFeedback::caption(Title title) const
{
    if (title == Title::Window) {
        if (const QWidget *window = parentWindow())
            return window->windowTitle();
    }
    return QString::fromUtf8(Version::Product);
}

bool WindowFeedback::ask(const QString &question)
{
    QMessageBox box(QMessageBox::Question, caption(Title::Window), question, QMessageBox::Yes | QMessageBox::No,
                    parentWindow());
    box.setDefaultButton(QMessageBox::Yes);
    // The pointer must not look busy while the person is asked.
    if (mBusyDepth > 0)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool yes = box.exec() == QMessageBox::Yes;
    if (mBusyDepth > 0)
        QApplication::restoreOverrideCursor();
    return yes;
}

void WindowFeedback::inform(const QString &message, Title title)
{
    QMessageBox box(QMessageBox::Information, caption(title), message, QMessageBox::Ok, parentWindow());
    box.exec();
}

void WindowFeedback::informWritten(const QString &message, const QStringList &files, Title title)
{
    const QString text = message + QStringLiteral("\n\n") + files.join(QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Information, caption(title), text, QMessageBox::Ok, parentWindow());
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton *openFolder =
        files.isEmpty() ? nullptr : box.addButton(QStringLiteral("Open folder"), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    if (openFolder && box.clickedButton() == openFolder)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(files.constFirst()).absolutePath()));
}

void WindowFeedback::fail(const QString &message, Title title)
{
    QMessageBox box(QMessageBox::Critical, caption(title), message, QMessageBox::Ok, parentWindow());
    if (mBusyDepth > 0)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (mBusyDepth > 0)
        QApplication::restoreOverrideCursor();
}

void WindowFeedback::setBusy(bool busy)
{
    if (busy) {
        ++mBusyDepth;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (mBusyDepth > 0) {
        --mBusyDepth;
        QApplication::restoreOverrideCursor();
    }
}

void WindowFeedback::setProgressValue(int value)
{
    Q_UNUSED(value);
    if (mSinceRepaint.elapsed() >= RepaintInterval) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        mSinceRepaint.restart();
    }
}
