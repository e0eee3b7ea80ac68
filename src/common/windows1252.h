#pragma once

#include "codepage.h"

// Windows-1252, the code page of the files' own texts: project records, ZGF face names and
// C source. A font's character codes follow its document's code page instead.

inline int windows1252Code(QChar c)
{
    return codePageCode(CodePage::Windows1252, c.unicode());
}

inline QByteArray toWindows1252(const QString &text)
{
    return toCodePage(CodePage::Windows1252, text);
}

inline QString fromWindows1252(const QByteArray &bytes)
{
    return fromCodePage(CodePage::Windows1252, bytes);
}
