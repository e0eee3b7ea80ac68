#pragma once

#include "feedback.h"

#include <QStringList>

// A Feedback that answers questions from a script and records everything it is told.
class RecordingFeedback : public Feedback
{
public:
    struct Message
    {
        enum class Kind { Question, Information, Failure } kind;
        QString text;
        Title title;
    };

    // Answers given to ask(), in order; once used up every question is answered yes.
    QList<bool> answers;
    QList<Message> messages;
    // The files named by informWritten(), in order.
    QStringList written;
    int busyDepth = 0;
    int progressMinimum = 0;
    int progressMaximum = 0;
    int progressValue = 0;
    bool progressVisible = false;
    int progressShownCount = 0;

    bool ask(const QString &question) override
    {
        messages.append({Message::Kind::Question, question, Title::Window});
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    void inform(const QString &message, Title title) override
    {
        messages.append({Message::Kind::Information, message, title});
    }
    void informWritten(const QString &message, const QStringList &files, Title title) override
    {
        written += files;
        inform(message, title);
    }
    void fail(const QString &message, Title title) override
    {
        messages.append({Message::Kind::Failure, message, title});
    }
    void setBusy(bool busy) override { busyDepth += busy ? 1 : -1; }
    void setProgressRange(int minimum, int maximum) override
    {
        progressMinimum = minimum;
        progressMaximum = maximum;
    }
    void setProgressValue(int value) override { progressValue = value; }
    void setProgressVisible(bool visible) override
    {
        progressVisible = visible;
        progressShownCount += visible ? 1 : 0;
    }

    QStringList texts(Message::Kind kind) const
    {
        QStringList out;
        for (const Message &m : messages) {
            if (m.kind == kind)
                out.append(m.text);
        }
        return out;
    }
    QStringList failures() const { return texts(Message::Kind::Failure); }
    QStringList informations() const { return texts(Message::Kind::Information); }
    QStringList questions() const { return texts(Message::Kind::Question); }
};
