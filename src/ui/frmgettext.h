#pragma once

#include <QDialog>

class LimitedTextEdit;
class QPushButton;

// A modal multi-line text editor with a caption chosen by the caller. "Ok" hands back the
// edited text (line breaks as CR LF); "Cancel", Esc and the close box leave Text as the
// caller set it. Typing stops at 512 characters; Enter inserts a line break. A caller may
// offer a fill: a button above the commands that replaces the text with a given one.
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
    // Shows the button "caption" that puts text in the box.
    void offerFill(const QString &caption, const QString &text);

    void accept() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QString mText;
    QString mTitle;
    bool mShown = false;
    LimitedTextEdit *mTextBox;
    QPushButton *mFill;
    QString mFillText;
};
