#pragma once

#include <QString>

#include <initializer_list>

class QBoxLayout;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

// Controls made the same way in every window. A name given becomes the objectName, by
// which tests find the control.

// A label; a name is optional, since most labels are never looked up.
QLabel *newLabel(const QString &text, QWidget *parent, const QString &name = QString());
// A member of the label array lblLabels(index).
QLabel *newIndexedLabel(const QString &text, int index, QWidget *parent);
QLineEdit *newField(const QString &name, QWidget *parent);
QGroupBox *newFrame(const QString &name, QWidget *parent);

// A check box, radio button or push button with its caption.
template <class Button>
Button *newButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new Button(caption, parent);
    button->setObjectName(name);
    return button;
}

// The progress bar pgbBar of a dialog's long operations: hidden until one runs, and keeping
// its place meanwhile, so the buttons beside it do not move.
QProgressBar *newProgressBar(QWidget *parent);

// A member of the dialog's button array: cmdCommands(index), at least 73 pixels wide.
QPushButton *newCommand(const QString &caption, int index, QWidget *parent);

// The sunken rule fraFrames(0) that closes a dialog's fields.
QFrame *newRule(QWidget *parent);

// The rule, then the buttons in a row at the right, in the order given, after the status
// line when there is one.
void addRuleAndCommands(QBoxLayout *layout, QWidget *parent, std::initializer_list<QPushButton *> buttons,
                        QLabel *status = nullptr);
