#include "limitedtextedit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

qsizetype crLfLength(const QString &plain)
{
    return plain.size() + plain.count(QLatin1Char('\n'));
}

// What QTextCursor::selectedText gives, with paragraph separators as LF.
QString plainSelection(const QTextCursor &cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// Cuts text to a number of characters in CR LF form, never splitting a line break.
QString fitted(const QString &text, qsizetype room)
{
    qsizetype used = 0;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const qsizetype cost = text.at(i) == QLatin1Char('\n') ? 2 : 1;
        if (used + cost > room)
            break;
        used += cost;
    }
    return text.left(i);
}

} // namespace

LimitedTextEdit::LimitedTextEdit(QWidget *parent) : QPlainTextEdit(parent)
{
}

QString LimitedTextEdit::crLfText() const
{
    return toPlainText().replace(QLatin1Char('\n'), kCrLf);
}

void LimitedTextEdit::setCrLfText(const QString &text)
{
    setPlainText(QString(text).replace(kCrLf, QStringLiteral("\n")));
}

qsizetype LimitedTextEdit::room() const
{
    return mMaxLength - crLfLength(toPlainText()) + crLfLength(plainSelection(textCursor()));
}

void LimitedTextEdit::keyPressEvent(QKeyEvent *event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
    if (inserts && !event->matches(QKeySequence::Paste)) {
        const qsizetype needed = lineBreak ? 2 : crLfLength(typed);
        if (needed > room()) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    QString text = source->text();
    text.replace(kCrLf, QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    textCursor().insertText(fitted(text, room()));
    ensureCursorVisible();
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty() && crLfLength(commit) > room()) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(fitted(commit, room()), event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&cut);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}
