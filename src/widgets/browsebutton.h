#pragma once

class QToolButton;
class QWidget;

// The small picture button beside a file name field that opens a file dialog:
// picBrowse(index), showing the picture of File > Open.
QToolButton *newBrowseButton(int index, QWidget *parent);
