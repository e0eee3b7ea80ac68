#pragma once

#include <QLineEdit>

// A text field for a whole number from minimum to maximum. Keys other than the digits, the
// minus sign (only when the range has negative numbers) and control keys are discarded as
// typed; the position of a minus sign is not checked while typing. When the person leaves
// the field, its text is repaired silently: a number (rounded, halves to even) within the
// range is written back in decimal ("007" gives "7", "-0" gives "0"); anything else puts
// back the value the field was given.
class NumericField : public QLineEdit
{
    Q_OBJECT

public:
    NumericField(int minimum, int maximum, QWidget *parent = nullptr);

    // Shows the value and keeps it as the one to put back (the document's current value).
    void setValue(int value);
    int givenValue() const { return mGiven; }

    // Rewrites the text as leaving the field does.
    void repair();
    // The value to store on "Ok", also when the field was not left: the number formed by
    // an optional minus sign and the digits after it, 0 without digits. A number outside
    // the range repairs the field and gives its repaired value.
    int appliedValue();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool accepts(QChar c) const;

    int mMinimum;
    int mMaximum;
    int mGiven = 0;
};
