#pragma once

#include <QDialog>

class LimitedTextEdit;
class QPushButton;

// A modal multi-line text editor with a caption chosen by the caller. "Ok" hands back the
// edited text (line breaks as CR LF); "Cancel", Esc and the close box leave Text as the
// caller set it. Typing stops at 512 characters; Enter inserts a line break.
class frmGetText : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MaxLength = 512;

    explicit frmGetText(QWidget *parent = nullptr);

    QString Text() const { return mText; }
    void setText(const QString &text) { mText = text; }
    QString Title() const { return mTitle; }
    void setTitle(const QString &title) { mTitle = title; }

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString mText;
    QString mTitle;
    bool mShown = false;
    LimitedTextEdit *mTextBox;
};
