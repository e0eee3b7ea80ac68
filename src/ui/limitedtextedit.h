#pragma once

#include <QPlainTextEdit>

// A multi-line text box that takes no more than a maximum number of characters, a line
// break counting as the two characters CR LF. Typing stops at the limit; a paste is cut
// to what fits. Text set by the program is not cut.
class LimitedTextEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LimitedTextEdit(QWidget *parent = nullptr);

    int maxLength() const { return mMaxLength; }
    void setMaxLength(int length) { mMaxLength = length; }

    // The content with line breaks as CR LF.
    QString crLfText() const;
    // Shows text whose line breaks are CR LF.
    void setCrLfText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    // How many characters may still be inserted in place of the selection.
    qsizetype room() const;

    int mMaxLength = 32767;
};
