#pragma once

#include <QSplitter>
#include <QSplitterHandle>

class QPainter;

// Draws the grip of a splitter bar that runs across: raised dots in a row in the middle of
// bar, in the colours of palette.
void paintGrip(QPainter &painter, const QRect &bar, const QPalette &palette);

// The bar between two panes one above the other: a grip of dots that shows it can be
// dragged, in the highlight colour while the pointer is over it and darker while dragged.
class GripHandle : public QSplitterHandle
{
    Q_OBJECT

public:
    explicit GripHandle(QSplitter *parent);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool mDragged = false;
};

// Panes one above the other with a GripHandle between each two, tall enough for its grip.
class GripSplitter : public QSplitter
{
    Q_OBJECT

public:
    explicit GripSplitter(QWidget *parent = nullptr);

protected:
    QSplitterHandle *createHandle() override;
};
