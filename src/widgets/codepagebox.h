#pragma once

#include "codepage.h"

#include <QComboBox>

// A choice among the code pages, by name; Windows-1252 until another is set.
class CodePageBox : public QComboBox
{
    Q_OBJECT

public:
    CodePageBox(const QString &objectName, QWidget *parent);

    CodePage page() const { return CodePage(currentData().toInt()); }
    void setPage(CodePage page) { setCurrentIndex(findData(int(page))); }
};
