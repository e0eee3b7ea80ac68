#include "csource.h"

#include "carraywriter.h"
#include "cidentifier.h"
#include "ctext.h"
#include "feedback.h"
#include "fileerrors.h"
#include "numbers.h"
#include "outputfile.h"
#include "paths.h"
#include "version.h"
#include "windows1252.h"
#include "zgfheader.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

// The file to write as C, streamed from its path.
struct Source
{
    QString path;

    qint64 size() const { return QFileInfo(ordinaryPath(path)).size(); }
};

// What differs between the font and the file form of the source.
struct CSourceParts
{
    QByteArray comment;      // the comment block, empty lines included
    QByteArray characterSet; // the character set line and its empty line, or nothing
    QByteArray arrayName;
    QString name; // as given, for the message that refuses it
};

QByteArray line(const QByteArray &text)
{
    return text + "\r\n";
}

QByteArray line(const QString &text)
{
    return line(toWindows1252(text));
}

QString generatorText()
{
    return QLatin1String(Version::Product) + QStringLiteral(" v") + QString::number(Version::Major) + QLatin1Char('.')
        + QString::number(Version::Minor) + QLatin1Char('.') + QString::number(Version::Revision)
        + QStringLiteral(" by ") + QLatin1String(Version::Company);
}

QString groupedSize(qint64 size, QChar separator)
{
    // Some locales group with a narrow no-break space, which Windows-1252 lacks.
    if (windows1252Code(separator) < 0)
        separator = separator.isSpace() ? QChar(0xA0) : QLatin1Char(',');
    return formatGrouped(size, separator) + QStringLiteral(" bytes");
}

QByteArray fileNameComment(const QString &path)
{
    return cCommentText(toWindows1252(GetFileName(path)));
}

// The .c file of a split source: beside the header, with the header's base name.
QString sourceFileBeside(const QString &cPath)
{
    return GetFolder(cPath) + GetFileNameNoExt(cPath) + QStringLiteral(".c");
}

// What C cannot hold is refused before any file is made: a name that is no identifier, a
// file that would replace another, an empty source (C has no empty arrays).
void refuseWhatCannotBeWritten(const Source &source, const QString &cPath, bool split, const CSourceParts &parts)
{
    refuseCArrayName(parts.name, QString::fromLatin1(parts.arrayName));
    refuseSharedFiles(QList<FileRole>{{QStringLiteral("the file to convert"), source.path, false}}
                      + cSourceOutputs(cPath, split));
    if (QFileInfo(ordinaryPath(source.path)).isFile() && source.size() == 0) {
        throw Failure(Failure::InvalidCall,
                      QStringLiteral("The file %1 is empty, and C has no empty arrays: "
                                     "no C file is written.")
                          .arg(source.path));
    }
}

// One C file's text: before, the array's body when it holds the array, then after.
struct CFileText
{
    QString path;
    QString createText; // "Can't create .H file x"
    QByteArray before;
    bool holdsArray = false;
    QByteArray after;
};

// The C files in the order they are committed: with split the .c file (the comment block
// and the array) then the header (the guard, the character set and an extern declaration);
// else the header holding everything.
QList<CFileText> cFileTexts(const CSourceParts &parts, const QString &cPath, bool split)
{
    const QByteArray guard = toWindows1252(cGuardSymbol(GetFileNameNoExt(cPath)));
    const QByteArray guardStart = line("#ifndef " + guard) + line("#define " + guard) + "\r\n" + parts.characterSet;
    const QByteArray guardEnd = "\r\n" + line("#endif /*" + guard + "*/");
    const QByteArray arrayStart = line("unsigned long " + parts.arrayName + "[] = {");
    const QByteArray arrayEnd = line(QByteArray("};"));
    const QString header = QStringLiteral("Can't create .H file ") + cPath;
    if (!split)
        return {{cPath, header, parts.comment + guardStart + arrayStart, true, arrayEnd + guardEnd}};
    const QString cFilePath = sourceFileBeside(cPath);
    return {
        {cFilePath, QStringLiteral("Can't create .C file ") + cFilePath, parts.comment + arrayStart, true, arrayEnd},
        {cPath, header,
         parts.comment + guardStart + line("extern unsigned long " + parts.arrayName + "[];") + guardEnd}};
}

// Writes the files, streaming the source into the array.
void writeCSource(const Source &source, const QString &cPath, bool split, Existing existing, const CSourceParts &parts,
                  Feedback &feedback)
{
    refuseWhatCannotBeWritten(source, cPath, split, parts);
    const QList<CFileText> texts = cFileTexts(parts, cPath, split);
    std::vector<std::unique_ptr<OutputFile>> files;
    // Created header first, so a folder that refuses both is reported for the header.
    for (auto text = texts.crbegin(); text != texts.crend(); ++text) {
        files.insert(files.begin(), std::make_unique<OutputFile>(text->path, existing));
        try {
            files.front()->open(text->createText);
        } catch (const Failure &failure) {
            throw OperationFailure(failure);
        }
    }
    QList<OutputFile *> order;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        OutputFile &file = *files[size_t(i)];
        file.write(texts[i].before);
        if (texts[i].holdsArray)
            WriteCArray(source.path, file.device(), feedback);
        file.write(texts[i].after);
        order.append(&file);
    }
    commitInOrder(order);
}

// Runs the generation under the busy pointer; the full paths written, the header first.
template <typename Parts>
QStringList generate(Feedback &feedback, Parts makeParts, const Source &source, const QString &cPath, bool split,
                     Existing existing)
{
    {
        BusyGuard busy(feedback);
        writeCSource(source, cPath, split, existing, makeParts(), feedback);
    }
    QStringList files{QFileInfo(ordinaryPath(cPath)).absoluteFilePath()};
    if (split)
        files.append(QFileInfo(ordinaryPath(sourceFileBeside(cPath))).absoluteFilePath());
    return files;
}

// The comment block and character set of a font, from its first bytes (the header and the
// character string, or fewer: a file too short for its header reads as zeros, its character
// set ends with the file) and its size.
// What a font in another code page than Windows-1252 adds after its character set: the page
// by name, for the program, and each code with its character, since the character set's
// bytes read as Windows-1252 in an editor.
QByteArray codePageLines(const QByteArray &characters, const QString &name, CodePage page)
{
    constexpr int PerLine = 8;
    QByteArray out = line(QStringLiteral("// Code page      : ") + codePageName(page));
    for (qsizetype i = 0; i < characters.size(); i += PerLine) {
        QStringList codes;
        for (const char code : characters.mid(i, PerLine)) {
            codes.append(QStringLiteral("0x%1 U+%2")
                             .arg(quint8(code), 2, 16, QLatin1Char('0'))
                             .arg(codePageChar(page, quint8(code)).unicode(), 4, 16, QLatin1Char('0'))
                             .toUpper()
                             .replace(QStringLiteral("0X"), QStringLiteral("0x")));
        }
        out += line(QStringLiteral("//   ") + codes.join(QStringLiteral(", ")));
    }
    return out + "\r\n" + line(QStringLiteral("#define %1_CODEPAGE \"%2\"").arg(name.toUpper(), codePageName(page)))
        + "\r\n";
}

CSourceParts zgfParts(const QByteArray &start, qint64 size, const QString &path, const QString &name,
                      QChar groupSeparator, CodePage page)
{
    QByteArray headerBytes = start.left(ZgfHeader::Size);
    headerBytes.resize(ZgfHeader::Size, '\0');
    const ZgfHeader h = ZgfHeader::fromBytes(headerBytes.constData(), headerBytes.size());
    const QByteArray characters = start.mid(ZgfHeader::Size, h.Count);

    QByteArray face = h.FaceName;
    face.replace('\0', QByteArray());
    const QString mask = h.hasFlag(ZgfHeader::HasMask)
        ? QString::number(h.maskWidth()) + QLatin1Char('x') + QString::number(h.maskHeight())
        : QStringLiteral("no mask");

    CSourceParts p;
    p.comment = line(QByteArray("//"))
        + line("// GP32 C source file for font " + cCommentText(face) + ' ' + QByteArray::number(h.PointSize))
        + line("// Generated from ZGF font file " + fileNameComment(path))
        + line(QStringLiteral("// File size      : ") + groupedSize(size, groupSeparator))
        + line(QStringLiteral("// Bitmap size    : %1x%2").arg(h.BitmapWidth).arg(h.BitmapHeight))
        + line(QStringLiteral("// Mask size      : ") + mask)
        + line(QStringLiteral("// Color depth    : %1 bpp").arg(h.hasFlag(ZgfHeader::Color16) ? 16 : 8))
        + line(QByteArray("//")) + line(QStringLiteral("// Generator      : ") + generatorText())
        + line(QByteArray("//")) + "\r\n\r\n";
    p.characterSet = line("// Character set  : \"" + cCharacterSetText(characters) + '"');
    p.characterSet += page == CodePage::Windows1252 ? QByteArray("\r\n") : codePageLines(characters, name, page);
    p.arrayName = toWindows1252(name + zgfArraySuffix());
    p.name = name;
    return p;
}

} // namespace

QList<FileRole> cSourceOutputs(const QString &cPath, bool split)
{
    QList<FileRole> outputs{{QStringLiteral("the C file"), cPath}};
    if (split)
        outputs.append({QStringLiteral("the .c file"), sourceFileBeside(cPath)});
    return outputs;
}

QString zgfArraySuffix()
{
    return QStringLiteral("_zgf");
}

void refuseCArrayName(const QString &name, const QString &arrayName)
{
    if (!isCIdentifier(arrayName)) {
        throw Failure(
            Failure::InvalidCall,
            QStringLiteral("The variable name \"%1\" cannot be written into C: %2.").arg(name, cIdentifierRule()));
    }
}

void reportCSourceWritten(const QStringList &files, Feedback &feedback)
{
    feedback.informWritten(QStringLiteral("C file(s) generated correctly."), files);
}

QStringList ZgfToCSource(const QString &sourcePath, const QString &cPath, const QString &name, bool split,
                         Feedback &feedback, QChar groupSeparator, CodePage page, Existing existing)
{
    auto parts = [&] {
        QFile font;
        try {
            openForReading(font, sourcePath);
        } catch (const Failure &failure) {
            throw OperationFailure(restated(failure, QStringLiteral("Can't open .ZGF file ") + sourcePath));
        }
        QByteArray start = font.read(ZgfHeader::Size);
        if (start.size() == ZgfHeader::Size)
            start += font.read(ZgfHeader::fromBytes(start.constData(), start.size()).Count);
        if (font.error() != QFileDevice::NoError)
            throw ioFailure(font);
        return zgfParts(start, font.size(), sourcePath, name, groupSeparator, page);
    };
    return generate(feedback, parts, Source{sourcePath}, cPath, split, existing);
}

QList<Output> zgfCSource(const QString &fontPath, const QByteArray &fontBytes, const QString &cPath,
                         const QString &name, bool split, QChar groupSeparator, CodePage page)
{
    const CSourceParts parts = zgfParts(fontBytes, fontBytes.size(), fontPath, name, groupSeparator, page);
    refuseCArrayName(parts.name, QString::fromLatin1(parts.arrayName));
    QList<Output> outputs;
    for (const CFileText &text : cFileTexts(parts, cPath, split)) {
        const QByteArray body = text.holdsArray ? cArrayBody(fontBytes) : QByteArray();
        outputs.append({text.path, text.before + body + text.after, Existing::Keep, text.createText});
    }
    return outputs;
}

QStringList FileToCSource(const QString &sourcePath, const QString &cPath, const QString &name, bool split,
                          Feedback &feedback, QChar groupSeparator, Existing existing)
{
    auto parts = [&] {
        CSourceParts p;
        p.comment = line(QByteArray("//")) + line("// GP32 C source file for file " + fileNameComment(sourcePath))
            + line(QStringLiteral("// File size: ") + groupedSize(Source{sourcePath}.size(), groupSeparator))
            + line(QStringLiteral("// Converter: ") + generatorText()) + line(QByteArray("//")) + "\r\n\r\n";
        p.arrayName = toWindows1252(name);
        p.name = name;
        return p;
    };
    return generate(feedback, parts, Source{sourcePath}, cPath, split, existing);
}
