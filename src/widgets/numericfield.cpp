#include "numericfield.h"

#include "failure.h"
#include "numbers.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <cmath>

NumericField::NumericField(int minimum, int maximum, QWidget *parent)
    : QLineEdit(parent), mMinimum(minimum), mMaximum(maximum)
{
}

void NumericField::setValue(int value)
{
    mGiven = value;
    setText(QString::number(value));
}

bool NumericField::accepts(QChar c) const
{
    if (!c.isPrint())
        return true; // control keys: backspace, Enter, clipboard shortcuts
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return true;
    return c == QLatin1Char('-') && mMinimum < 0;
}

void NumericField::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    for (const QChar c : typed) {
        if (!accepts(c)) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumericField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another window taking the focus, or a menu, does not leave the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        repair();
}

void NumericField::repair()
{
    bool isNumber = false;
    const double number = text().trimmed().toDouble(&isNumber);
    int value = mGiven;
    if (isNumber) {
        try {
            const int rounded = roundToInt16(number);
            if (rounded >= mMinimum && rounded <= mMaximum)
                value = rounded;
        } catch (const Failure &) {
            // Out of the 16-bit range: the given value stays.
        }
    }
    setText(QString::number(value));
}

int NumericField::appliedValue()
{
    const double number = std::trunc(leadingNumber(text()));
    if (number >= mMinimum && number <= mMaximum)
        return int(number);
    repair();
    return text().toInt();
}
