#include "textcommand.h"

#include "characternotes.h"
#include "command.h"
#include "commandline.h"
#include "ctext.h"
#include "documentoptions.h"
#include "fileerrors.h"
#include "outputfile.h"
#include "paths.h"
#include "textdefinitions.h"
#include "zgffont.h"

namespace {

// Far more than a game's texts; a file read by mistake is refused unread.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

// The file's text without the byte order mark some editors write.
QString utf8File(const QString &path)
{
    const QString text = utf8FileText(path, MaxFileSize, QStringLiteral("a text file is read up to %1 bytes"));
    return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
}

// The text in a message: the one on the command line, or a line of the file.
QString textName(const TextDefinition &d)
{
    return d.line > 0 ? QStringLiteral("Line %1 (%2)").arg(d.line).arg(d.key) : QStringLiteral("The text");
}

} // namespace

void TextCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("TEXT"), QStringLiteral("The text to print as a C string literal."));
    declareCodePageOption(line, QStringLiteral("The code page the text is written in, the font's"));
    line.addValueOption({QStringLiteral("font")}, QStringLiteral("FONT.zgf"),
                        QStringLiteral("Fail, naming them, on characters this font has no glyph for."));
    line.addValueOption({QStringLiteral("f"), QStringLiteral("file")}, QStringLiteral("STRINGS.txt"),
                        QStringLiteral("Write a UTF-8 file's KEY=text lines as #define KEY \"...\" lines instead "
                                       "(empty lines and lines starting with # are skipped)."));
    line.addValueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.h"),
                        QStringLiteral("The header the defines of --file go to (default: printed)."));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite an existing file."));
}

TextCommand::TextCommand(const CommandLine &line)
    : mText(line.argument(0)),
      mFile(line.value(QStringLiteral("file"))),
      mOutput(line.value(QStringLiteral("output"))),
      mFont(line.value(QStringLiteral("font"))),
      mCodePage(codePageOption(line).value_or(CodePage::Windows1252)),
      mForce(line.isSet(QStringLiteral("force")))
{
    const bool file = line.isSet(QStringLiteral("file"));
    if (file == !line.arguments().isEmpty())
        throw UsageError{QStringLiteral("text takes either a TEXT or --file STRINGS.txt.")};
    if (line.isSet(QStringLiteral("output")) && !file)
        throw UsageError{QStringLiteral("--output goes with --file.")};
    if (file && mFile.trimmed().isEmpty())
        throw UsageError{QStringLiteral("--file takes the name of a text file.")};
}

QList<TextDefinition> TextCommand::definitions() const
{
    if (mFile.isEmpty())
        return {{QString(), mText, 0}};
    const TextDefinitions read = readTextDefinitions(utf8File(mFile));
    if (!read.faults.isEmpty())
        throw CommandFailure{mFile + QStringLiteral(": ")
                             + read.faults.join(QStringLiteral("\n") + mFile + QStringLiteral(": "))};
    return read.definitions;
}

void TextCommand::refuseWhatCannotBeDrawn(const QList<TextDefinition> &definitions) const
{
    std::optional<ZgfFont> font;
    if (!mFont.isEmpty()) {
        font = ZgfFont::readFile(mFont);
        font->setCodePage(mCodePage);
    }
    QStringList faults;
    for (const TextDefinition &d : definitions) {
        if (const QString lost = charactersWithoutCode(mCodePage, d.text); !lost.isEmpty()) {
            faults.append(QStringLiteral("%1 has characters without a code in %2: %3")
                              .arg(textName(d), codePageName(mCodePage), charactersWithCodes(lost)));
        }
        if (!font)
            continue;
        QString missing;
        for (const QChar c : d.text) {
            // Line breaks break lines; they need no glyph.
            const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
            if (!lineBreak && codePageCode(mCodePage, c.unicode()) >= 0 && font->indexOf(c) < 0 && !missing.contains(c))
                missing.append(c);
        }
        if (!missing.isEmpty())
            faults.append(QStringLiteral("%1 has characters %2 has no glyph for: %3")
                              .arg(textName(d), mFont, charactersWithCodes(missing)));
    }
    if (!faults.isEmpty())
        throw CommandFailure{faults.join(QLatin1Char('\n'))};
}

int TextCommand::run(CommandEnvironment &environment)
{
    const QList<TextDefinition> texts = definitions();
    refuseWhatCannotBeDrawn(texts);
    if (mFile.isEmpty()) {
        writeResult(cStringLiteral(toCodePage(mCodePage, mText)) + '\n');
        return exitStatus(true, environment.feedback);
    }
    const QString base = GetFileNameNoExt(mOutput.isEmpty() ? mFile : mOutput);
    const QByteArray header = textDefinitionsHeader(texts, mCodePage, GetFileName(mFile), base);
    if (mOutput.isEmpty()) {
        writeResult(header);
        return exitStatus(true, environment.feedback);
    }
    refuseOutputs({{QStringLiteral("the text file"), mFile, false}, {QStringLiteral("the header"), mOutput}}, mForce);
    OutputFile file(mOutput, mForce ? Existing::Replace : Existing::Keep);
    file.open();
    file.write(header);
    file.commit();
    return exitStatus(true, environment.feedback);
}
