#include "codepage.h"

#include "characters.h"
#include "codepagetables.h"

#include <array>

namespace {

struct PageNames
{
    CodePage page;
    const char *name;
    std::array<const char *, 4> aliases; // normalised: lower case without "-", "_", " "
};

const PageNames kPages[] = {
    {CodePage::Windows1250, "Windows-1250", {"1250", "cp1250", "win1250", "windows1250"}},
    {CodePage::Windows1251, "Windows-1251", {"1251", "cp1251", "win1251", "windows1251"}},
    {CodePage::Windows1252, "Windows-1252", {"1252", "cp1252", "win1252", "windows1252"}},
    {CodePage::Windows1253, "Windows-1253", {"1253", "cp1253", "win1253", "windows1253"}},
    {CodePage::Windows1254, "Windows-1254", {"1254", "cp1254", "win1254", "windows1254"}},
    {CodePage::Windows1257, "Windows-1257", {"1257", "cp1257", "win1257", "windows1257"}},
    {CodePage::Iso8859_1, "ISO-8859-1", {"iso88591", "88591", "latin1", nullptr}},
    {CodePage::Iso8859_2, "ISO-8859-2", {"iso88592", "88592", "latin2", nullptr}},
    {CodePage::Iso8859_5, "ISO-8859-5", {"iso88595", "88595", nullptr, nullptr}},
    {CodePage::Iso8859_7, "ISO-8859-7", {"iso88597", "88597", nullptr, nullptr}},
    {CodePage::Iso8859_9, "ISO-8859-9", {"iso88599", "88599", "latin5", nullptr}},
    {CodePage::Iso8859_15, "ISO-8859-15", {"iso885915", "885915", "latin9", nullptr}},
    {CodePage::Koi8R, "KOI8-R", {"koi8r", nullptr, nullptr, nullptr}},
    {CodePage::Koi8U, "KOI8-U", {"koi8u", nullptr, nullptr, nullptr}},
    {CodePage::Cp437, "CP437", {"cp437", "437", "ibm437", nullptr}},
    {CodePage::Cp850, "CP850", {"cp850", "850", "ibm850", nullptr}},
    {CodePage::Cp866, "CP866", {"cp866", "866", "ibm866", nullptr}},
};
static_assert(std::size(kPages) == kCodePageCount);

const char16_t *highHalf(CodePage page)
{
    return kCodePageHighHalves[int(page)];
}

QString normalised(const QString &name)
{
    QString out;
    for (const QChar c : name) {
        if (c != QLatin1Char('-') && c != QLatin1Char('_') && !c.isSpace())
            out.append(c.toLower());
    }
    return out;
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

} // namespace

const QList<CodePage> &allCodePages()
{
    static const QList<CodePage> pages = [] {
        QList<CodePage> out;
        for (const PageNames &p : kPages)
            out.append(p.page);
        return out;
    }();
    return pages;
}

QString codePageName(CodePage page)
{
    return QLatin1String(kPages[int(page)].name);
}

std::optional<CodePage> codePageFromName(const QString &name)
{
    const QString wanted = normalised(name);
    for (const PageNames &p : kPages) {
        if (wanted == normalised(QLatin1String(p.name)))
            return p.page;
        for (const char *alias : p.aliases) {
            if (alias && wanted == QLatin1String(alias))
                return p.page;
        }
    }
    return std::nullopt;
}

QString codePageNameList()
{
    QStringList names;
    for (const PageNames &p : kPages) {
        const QString name = QString::fromLatin1(p.name).toLower();
        names.append(name.startsWith(QLatin1String("windows-")) ? name.mid(8) : name);
    }
    return names.join(QStringLiteral(", "));
}

int codePageCode(CodePage page, char32_t c)
{
    if (c < 0x80)
        return int(c);
    if (c == 0xFFFD)
        return -1;
    const char16_t *high = highHalf(page);
    for (int i = 0; i < 128; ++i) {
        if (high[i] == c)
            return 0x80 + i;
    }
    return -1;
}

QChar codePageChar(CodePage page, quint8 byte)
{
    return byte < 0x80 ? QChar(char16_t(byte)) : QChar(highHalf(page)[byte - 0x80]);
}

QByteArray toCodePage(CodePage page, const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const int code = codePageCode(page, c.unicode());
        out.append(char(code < 0 ? '?' : code));
    }
    return out;
}

QString fromCodePage(CodePage page, const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out.append(codePageChar(page, quint8(b)));
    return out;
}

QString charactersWithoutCode(CodePage page, const QString &text)
{
    QStringList out;
    for (const QString &c : charactersOf(text)) {
        if (codePageCode(page, codePointOf(c)) < 0 && !out.contains(c))
            out.append(c);
    }
    return out.join(QString());
}

QString printableCharacters(CodePage page)
{
    QString text;
    for (int b = 0x20; b < 0x100; ++b) {
        const QChar c = codePageChar(page, quint8(b));
        if (!isControl(c.unicode()) && c.unicode() != 0xFFFD)
            text.append(c);
    }
    return text;
}
