#pragma once

#include <QDialog>

class TexelFont;

// A modal dialog over the document handed to it with setTexelFont before it is shown
// (and taken back with nullptr afterwards). Its one-time set-up runs when it is first
// shown; given no document, it closes itself then instead.
class DocumentDialog : public QDialog
{
    Q_OBJECT

public:
    using QDialog::QDialog;

    TexelFont *texelFont() const { return moFont; }
    virtual void setTexelFont(TexelFont *font) { moFont = font; }

protected:
    void showEvent(QShowEvent *event) override;
    // The set-up of the first show, with a document.
    virtual void firstActivation() = 0;
    bool activated() const { return mActivated; }

    TexelFont *moFont = nullptr;

private:
    bool mActivated = false;
};
