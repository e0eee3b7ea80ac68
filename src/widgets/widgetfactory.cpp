#include "widgetfactory.h"

#include "controlarray.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLabel *newLabel(const QString &text, QWidget *parent, const QString &name)
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLineEdit *newField(const QString &name, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(name);
    return field;
}

QGroupBox *newFrame(const QString &name, QWidget *parent)
{
    auto *frame = new QGroupBox(parent);
    frame->setObjectName(name);
    return frame;
}

QPushButton *newCommand(const QString &caption, int index, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    setControlIndex(button, QStringLiteral("cmdCommands"), index);
    button->setMinimumWidth(73);
    return button;
}

QFrame *newRule(QWidget *parent)
{
    auto *rule = new QFrame(parent);
    setControlIndex(rule, QStringLiteral("fraFrames"), 0);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    return rule;
}

void addRuleAndCommands(QBoxLayout *layout, QWidget *parent, std::initializer_list<QPushButton *> buttons)
{
    layout->addWidget(newRule(parent));
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton *button : buttons)
        row->addWidget(button);
    layout->addLayout(row);
}
