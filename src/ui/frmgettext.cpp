#include "frmgettext.h"

#include "limitedtextedit.h"
#include "widgetfactory.h"

#include <QPushButton>
#include <QVBoxLayout>

frmGetText::frmGetText(QWidget *parent)
    : QDialog(parent), mTextBox(new LimitedTextEdit(this)), mFill(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmGetText"));
    setWindowTitle(QStringLiteral("GetText"));
    if (parent)
        setWindowIcon(parent->windowIcon());

    mTextBox->setObjectName(QStringLiteral("txtText"));
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(9.75);
    mTextBox->setFont(font);
    mTextBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    mTextBox->setTabChangesFocus(true);
    mTextBox->setFixedSize(297, 169);

    QPushButton *ok = newCommand(QStringLiteral("Ok"), 0, this);
    QPushButton *cancel = newCommand(QStringLiteral("Cancel"), 1, this);
    // Neither is the default button, so Enter stays in the text as a line break.
    for (QPushButton *button : {ok, cancel})
        button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &frmGetText::accept);
    connect(cancel, &QPushButton::clicked, this, &frmGetText::reject);

    mFill->setObjectName(QStringLiteral("cmdFill"));
    mFill->setAutoDefault(false);
    mFill->hide();
    connect(mFill, &QPushButton::clicked, this, [this] {
        mTextBox->setCrLfText(mFillText);
        mTextBox->document()->setModified(true);
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(12);
    layout->addWidget(mTextBox);
    layout->addWidget(mFill, 0, Qt::AlignLeft);
    addRuleAndCommands(layout, this, {ok, cancel});
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmGetText::offerFill(const QString &caption, const QString &text)
{
    mFill->setText(caption);
    mFillText = text;
    mFill->show();
}

void frmGetText::showEvent(QShowEvent *event)
{
    if (!mShown) {
        mShown = true;
        setWindowTitle(mTitle);
        mTextBox->setMaxLength(MaxLength);
        mTextBox->setCrLfText(mText);
        mTextBox->document()->setModified(false);
    }
    QDialog::showEvent(event);
}

void frmGetText::accept()
{
    // An untouched text goes back exactly as it came, lone CR or LF included.
    if (mTextBox->document()->isModified())
        mText = mTextBox->crLfText();
    QDialog::accept();
}
