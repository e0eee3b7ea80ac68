#include "codepage.h"
#include "systemcodepage.h"
#include "windows1252.h"

#include <gtest/gtest.h>

TEST(CodePage, EveryByteOfEveryPageIsTheSystemsCharacter)
{
    for (const CodePage page : allCodePages()) {
        const QString name = codePageName(page);
        ASSERT_TRUE(systemCharacter(page, 'A')) << qPrintable(name) << " is unknown to iconv";
        for (int b = 0; b < 256; ++b) {
            const std::optional<char32_t> expected = systemCharacter(page, quint8(b));
            const uint ours = codePageChar(page, quint8(b)).unicode();
            if (expected) {
                EXPECT_EQ(ours, uint(*expected)) << qPrintable(name) << " byte " << b;
                EXPECT_EQ(codePageCode(page, *expected), b) << qPrintable(name) << " byte " << b;
            } else {
                // Unassigned: a C1 control of the same value (kept through a write), else nothing.
                EXPECT_EQ(ours, b < 0xA0 ? uint(b) : 0xFFFDu) << qPrintable(name) << " byte " << b;
                EXPECT_EQ(codePageCode(page, ours), b < 0xA0 ? b : -1) << qPrintable(name) << " byte " << b;
            }
        }
        EXPECT_EQ(codePageCode(page, 0xFFFD), -1) << qPrintable(name);
        EXPECT_EQ(codePageCode(page, 0x1F600), -1) << qPrintable(name);
    }
}

TEST(CodePage, PrintableCharactersAreTheAssignedNonControls)
{
    const struct
    {
        CodePage page;
        int count;
        QString sample;
    } cases[] = {
        {CodePage::Windows1252, 218, QStringLiteral(" ~\u20AC\u00A0\u00FF")},
        {CodePage::Windows1251, 222, QStringLiteral("\u0410\u044F\u0401")},
        {CodePage::Windows1253, 206, QStringLiteral("\u0391\u03C9")},
        {CodePage::Iso8859_1, 191, QStringLiteral("\u00E9")},
        {CodePage::Cp437, 223, QStringLiteral("\u2591\u00E9\u00A0")},
    };
    for (const auto &c : cases) {
        const QString printable = printableCharacters(c.page);
        EXPECT_EQ(printable.size(), c.count) << qPrintable(codePageName(c.page));
        for (const QChar ch : c.sample)
            EXPECT_TRUE(printable.contains(ch)) << qPrintable(codePageName(c.page)) << " " << int(ch.unicode());
        for (const QChar ch : printable) {
            EXPECT_FALSE(ch.unicode() < 0x20 || (ch.unicode() >= 0x7F && ch.unicode() < 0xA0) || ch.unicode() == 0xFFFD)
                << qPrintable(codePageName(c.page)) << " " << int(ch.unicode());
        }
        EXPECT_EQ(fromCodePage(c.page, toCodePage(c.page, printable)), printable);
    }
}

TEST(CodePage, NamesAsPeopleWriteThem)
{
    const struct
    {
        const char *name;
        std::optional<CodePage> page;
    } cases[] = {
        {"1251", CodePage::Windows1251},
        {"cp1251", CodePage::Windows1251},
        {"Windows-1251", CodePage::Windows1251},
        {"WIN1250", CodePage::Windows1250},
        {"iso-8859-5", CodePage::Iso8859_5},
        {"ISO_8859-15", CodePage::Iso8859_15},
        {"8859-1", CodePage::Iso8859_1},
        {"latin9", CodePage::Iso8859_15},
        {"koi8-r", CodePage::Koi8R},
        {"KOI8U", CodePage::Koi8U},
        {"437", CodePage::Cp437},
        {"ibm866", CodePage::Cp866},
        {"1255", std::nullopt},
        {"iso-8859-", std::nullopt},
        {"", std::nullopt},
        {"utf-8", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(codePageFromName(QString::fromLatin1(c.name)), c.page) << c.name;
    for (const CodePage page : allCodePages()) {
        EXPECT_EQ(codePageFromName(codePageName(page)), page);
        EXPECT_TRUE(codePageNameList()
                        .split(QStringLiteral(", "))
                        .contains(codePageName(page).toLower().remove(QStringLiteral("windows-"))));
    }
}

TEST(CodePage, TextConversion)
{
    EXPECT_EQ(toCodePage(CodePage::Windows1251, QStringLiteral("\u041F\u0440\u0438\u0432\u0435\u0442!")),
              QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2!"));
    EXPECT_EQ(toCodePage(CodePage::Koi8R, QStringLiteral("\u0410\u00E9")), QByteArray("\xE1?"));
    EXPECT_EQ(toWindows1252(QStringLiteral("A\u20AC\u00F1\u0141\u2603")), QByteArray("A\x80\xF1??"));
    EXPECT_EQ(fromWindows1252(QByteArray("\x80\x9F\xE9\x81")), QStringLiteral("\u20AC\u0178\u00E9\u0081"));
    EXPECT_EQ(windows1252Code(QChar(0x80)), -1) << "U+0080 is not the euro's byte";
}
