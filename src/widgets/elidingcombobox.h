#pragma once

#include <QComboBox>

// A combo box of fixed width that shows a current text too long for it elided in the middle,
// so that both the family and the file of "Family (from file.ttf)" stay readable, with the
// whole text as its tooltip.
class ElidingComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ElidingComboBox(QWidget *parent = nullptr);

    // The current text as the box shows it.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int textWidth() const;
    void updateToolTip();
};
