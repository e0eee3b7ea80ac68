#include "codepagebox.h"

CodePageBox::CodePageBox(const QString &objectName, QWidget *parent) : QComboBox(parent)
{
    setObjectName(objectName);
    for (const CodePage page : allCodePages())
        addItem(codePageName(page), int(page));
    setPage(CodePage::Windows1252);
    setToolTip(QStringLiteral("The code page of the font's character codes: what a GP32 program's text "
                              "bytes stand for"));
}
