#include "widgetfactory.h"

#include "controlarray.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

QLabel *newLabel(const QString &text, QWidget *parent, const QString &name)
{
    auto *label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

QLabel *newIndexedLabel(const QString &text, int index, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    setControlIndex(label, QStringLiteral("lblLabels"), index);
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

QProgressBar *newProgressBar(QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("pgbBar"));
    bar->setTextVisible(false);
    QSizePolicy keepPlace = bar->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    bar->setSizePolicy(keepPlace);
    bar->hide();
    return bar;
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

void addRuleAndCommands(QBoxLayout *layout, QWidget *parent, std::initializer_list<QPushButton *> buttons,
                        QLabel *status)
{
    layout->addWidget(newRule(parent));
    auto *row = new QHBoxLayout;
    if (status) {
        // One line that never widens the window: a long text is cut, whole in the tooltip.
        status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        row->addWidget(status, 1);
    } else {
        row->addStretch();
    }
    for (QPushButton *button : buttons)
        row->addWidget(button);
    layout->addLayout(row);
}
