// Texts for a GP32 program: C string literals in every code page, read back by the system's C
// compiler, the KEY=text file and its header, and the code page lines of a font's C source.

#include "csource.h"
#include "ctext.h"
#include "textdefinitions.h"
#include "zgftest.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

// The bytes each literal stands for, as the system's C compiler reads them: a program holding
// the literals is built and prints each one's bytes in hexadecimal, a line each.
QByteArrayList compiledBytes(const QByteArrayList &literals, const QString &folder)
{
    QByteArray program = "#include <stdio.h>\n";
    for (qsizetype i = 0; i < literals.size(); ++i)
        program += "static const char s" + QByteArray::number(i) + "[] = " + literals.at(i) + ";\n";
    program += "static void hex(const char *s, size_t n) { size_t i; for (i = 0; i < n; ++i) "
               "printf(\"%02x\", (unsigned char)s[i]); printf(\"\\n\"); }\nint main(void) {\n";
    for (qsizetype i = 0; i < literals.size(); ++i)
        program += "    hex(s" + QByteArray::number(i) + ", sizeof s" + QByteArray::number(i) + " - 1);\n";
    program += "    return 0;\n}\n";
    writeFile(folder + QStringLiteral("/texts.c"), program);
    QProcess compiler, run;
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    // C99 reads trigraphs, so a "??" that is not escaped would show here.
    compiler.start(QStringLiteral(TEXEL_C_COMPILER),
                   {QStringLiteral("-std=c99"), QStringLiteral("-pedantic-errors"), QStringLiteral("-Wall"),
                    QStringLiteral("-Werror"), QStringLiteral("-Wno-trigraphs"), QStringLiteral("-o"),
                    folder + QStringLiteral("/texts"), folder + QStringLiteral("/texts.c")});
    if (!compiler.waitForFinished(60000) || compiler.exitCode() != 0) {
        ADD_FAILURE() << compiler.readAll().toStdString();
        return {};
    }
    run.start(folder + QStringLiteral("/texts"));
    run.waitForFinished(60000);
    return run.readAllStandardOutput().split('\n').mid(0, literals.size());
}

// Bytes that need care: hex digits after a hex escape, trigraph starts, quotes, controls.
// clang-format off
const QByteArray kAwkward("\xCF" "F\xCF" "0a\xCF" "g?\?=?\?/?\?)\"\\\r\n\t\x01\x7F\x80" "9 end");
// clang-format on

} // namespace

TEST(CStringLiteral, SpellingOfAwkwardBytes)
{
    // clang-format off
    const std::pair<QByteArray, QByteArray> rows[] = {
        {"plain text", "\"plain text\""},
        {"\xCF" "F", "\"\\xCF\" \"F\""},
        {"\xCF" "g\xCF" "\xD0", "\"\\xCFg\\xCF\\xD0\""},
        {"?\?=", "\"?\\?=\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"\r\n\t", "\"\\r\\n\\t\""},
        {"", "\"\""},
    };
    // clang-format on
    for (const auto &[bytes, literal] : rows)
        EXPECT_EQ(cStringLiteral(bytes).toStdString(), literal.toStdString());
}

TEST(CStringLiteral, TheCompilerReadsBackEveryCodePagesBytes)
{
    QTemporaryDir dir;
    QByteArrayList literals, expected;
    for (const CodePage page : allCodePages()) {
        const QByteArray bytes = toCodePage(page, printableCharacters(page)) + kAwkward;
        literals.append(cStringLiteral(bytes));
        expected.append(bytes.toHex());
    }
    EXPECT_EQ(compiledBytes(literals, dir.path()), expected);
}

TEST(TextDefinitions, LinesFaultsAndHeader)
{
    const TextDefinitions read = readTextDefinitions(
        QStringLiteral("# the game's texts\r\nHELLO=\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440!\n\n"
                       " BYE = \u041F\u043E\u043A\u0430 = \u0434\u0430\nno equals\n2BAD=x\nHELLO=again\nEMPTY=\n"));
    ASSERT_EQ(read.definitions.size(), 3);
    EXPECT_EQ(read.definitions.at(1).key, QStringLiteral("BYE"));
    EXPECT_EQ(read.definitions.at(1).text, QStringLiteral(" \u041F\u043E\u043A\u0430 = \u0434\u0430"));
    EXPECT_EQ(read.definitions.at(1).line, 4);
    EXPECT_EQ(read.faults,
              QStringList({QStringLiteral("line 5: no \"=\" between a key and its text"),
                           QStringLiteral("line 6: \"2BAD\" is no C identifier"),
                           QStringLiteral("line 7: HELLO is defined twice")}));

    const QByteArray header = textDefinitionsHeader(read.definitions, CodePage::Windows1251,
                                                    QStringLiteral("strings.txt"), QStringLiteral("strings"));
    EXPECT_EQ(header.toStdString(),
              "// Texts from strings.txt, in Windows-1251\r\n\r\n#ifndef __strings_h__\r\n#define __strings_h__\r\n\r\n"
              "#define HELLO \"\\xCF\\xF0\\xE8\\xE2\\xE5\\xF2, \\xEC\\xE8\\xF0!\"\r\n"
              "#define BYE \" \\xCF\\xEE\\xEA\\xE0 = \\xE4\\xE0\"\r\n"
              "#define EMPTY \"\"\r\n\r\n#endif /*__strings_h__*/\r\n");
}

// A font in another code page names it for the program and lists its codes' characters,
// since its character set line reads as Windows-1252 in an editor.
TEST(CSourceCodePage, AFontInAnotherCodePageSaysSo)
{
    QTemporaryDir dir;
    const QString font = dir.filePath(QStringLiteral("cyr.zgf"));
    // clang-format off
    writeFile(font, fontBytes(validHeader("Cyr", 10), "A\xC0\xE6\xB8" "bcdefghij", 200));
    // clang-format on
    RecordingFeedback feedback;
    const QString header = dir.filePath(QStringLiteral("cyr.h"));
    ZgfToCSource(font, header, QStringLiteral("cyrFont10"), false, feedback, u',', CodePage::Windows1251);
    const QByteArray text = readFile(header);
    const QByteArray expected = "// Character set  : \"A\xC0\xE6\xB8"
                                "bcdefghij\"\r\n"
                                "// Code page      : Windows-1251\r\n"
                                "//   0x41 U+0041, 0xC0 U+0410, 0xE6 U+0436, 0xB8 U+0451, 0x62 U+0062, 0x63 U+0063, "
                                "0x64 U+0064, 0x65 U+0065\r\n"
                                "//   0x66 U+0066, 0x67 U+0067, 0x68 U+0068, 0x69 U+0069, 0x6A U+006A\r\n\r\n"
                                "#define CYRFONT10_CODEPAGE \"Windows-1251\"\r\n\r\nunsigned long cyrFont10_zgf[]";
    EXPECT_NE(text.indexOf(expected), -1) << text.left(900).toStdString();

    // Windows-1252 writes what it always wrote.
    const QString plain = dir.filePath(QStringLiteral("plain.h"));
    ZgfToCSource(font, plain, QStringLiteral("cyrFont10"), false, feedback, u',', CodePage::Windows1252);
    const QByteArray unchanged = readFile(plain);
    EXPECT_EQ(unchanged.indexOf("CODEPAGE"), -1);
    EXPECT_NE(unchanged.indexOf("bcdefghij\"\r\n\r\nunsigned long cyrFont10_zgf[]"), -1);
}
