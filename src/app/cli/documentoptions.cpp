#include "documentoptions.h"

#include "commandline.h"
#include "failure.h"
#include "fileerrors.h"
#include "fontfamilies.h"
#include "fontchoice.h"
#include "fontfiles.h"
#include "terminalfeedback.h"
#include "texelfont.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

// Many times what 255 characters in rows take, so the information on a larger set still
// shows; far less than a file read by mistake can hold.
constexpr qint64 MaxCharsFileSize = 64 * 1024;

float pointSize(const QString &text)
{
    bool ok = false;
    const float size = text.toFloat(&ok);
    if (!ok || !std::isfinite(size) || size <= 0.0f)
        throw UsageError{QStringLiteral("--size takes a number of points, not '%1'.").arg(text)};
    return size;
}

// The font file as an absolute path, once it is known to be there and readable.
QString readableFontFile(const QString &path)
{
    QFile file;
    openForReading(file, path); // the usual failure for a file that is missing or unreadable
    return QFileInfo(path).absoluteFilePath();
}

// A bitmap font file draws its own sizes only: another one asked for is refused with them.
void refuseMissingStrike(const TexelFont &font, const FontSelection &choice, float points)
{
    const QString file = choice.fontFile.value_or(font.FontFile());
    if (file.isEmpty())
        return;
    const FontFileFace *face =
        fontFileFaces(file).face(choice.family.value_or(font.TTFName()), choice.bold.value_or(font.Bold()),
                                 choice.italic.value_or(font.Italic()));
    if (face && !face->scalable && !face->pixelSizes.contains(int(std::lround(double(points) * 96.0 / 72.0)))) {
        throw UsageError{QStringLiteral("--size: %1 is a bitmap font with the sizes %2 only, not %3 pt.")
                             .arg(face->family, fixedSizesText(face->pixelSizes))
                             .arg(double(points))};
    }
}

} // namespace

void DocumentOptions::declare(CommandLine &line)
{
    line.addValueOption({QStringLiteral("font")}, QStringLiteral("NAME"),
                        QStringLiteral("Font family (see the fonts command)."));
    line.addValueOption({QStringLiteral("font-file")}, QStringLiteral("PATH"),
                        QStringLiteral("Draw from a font file (TrueType, OpenType, collection, BDF, PCF, OTB) "
                                       "without installing it; --font picks a family inside it."));
    line.addValueOption({QStringLiteral("size")}, QStringLiteral("PT"),
                        QStringLiteral("Size in points, realised on a 96 dpi raster (10 becomes 9.75)."));
    line.addFlag(QStringLiteral("bold"), QStringLiteral("Bold."));
    line.addFlag(QStringLiteral("italic"), QStringLiteral("Italic."));
    line.addFlag(QStringLiteral("underline"), QStringLiteral("Underlined."));
    line.addFlag(QStringLiteral("strikethrough"), QStringLiteral("Struck through."));
    line.addValueOption({QStringLiteral("chars")}, QStringLiteral("TEXT"),
                        QStringLiteral("The characters to include; line breaks separate rows."));
    line.addValueOption({QStringLiteral("chars-file")}, QStringLiteral("FILE"),
                        QStringLiteral("The characters to include, read from a UTF-8 file."));
    line.addFlag(QStringLiteral("all-chars"),
                 QStringLiteral("Include every printable character of the code page, a row for each 32 codes."));
    declareCodePageOption(line, QStringLiteral("The code page of the font's character codes"));
    line.addValueOption({QStringLiteral("hinting")}, QStringLiteral("none|slight|full"),
                        QStringLiteral("How outlines fit the pixels (default full)."));
    line.addFlag(QStringLiteral("smooth"),
                 QStringLiteral("Smooth edges: the coverage of each pixel goes into the alpha mask of a masked "
                                "font without shadow mask."));
    SettingOptions::declare(line);
}

DocumentOptions::DocumentOptions(const CommandLine &line) : mSettings(line)
{
    line.requireAtMostOne({QStringLiteral("chars"), QStringLiteral("chars-file"), QStringLiteral("all-chars")});
    mCodePage = codePageOption(line);
    mAllChars = line.isSet(QStringLiteral("all-chars"));
    if (line.isSet(QStringLiteral("font"))) {
        mFont = line.value(QStringLiteral("font")).trimmed();
        if (mFont->isEmpty())
            throw UsageError{QStringLiteral("--font takes the name of a font family.")};
    }
    if (line.isSet(QStringLiteral("font-file")))
        mFontFile = readableFontFile(line.value(QStringLiteral("font-file")));
    if (line.isSet(QStringLiteral("size")))
        mSize = pointSize(line.value(QStringLiteral("size")));
    if (line.isSet(QStringLiteral("hinting"))) {
        mHinting = hintingFromName(line.value(QStringLiteral("hinting")));
        if (!mHinting) {
            throw UsageError{QStringLiteral("--hinting takes none, slight or full, not '%1'.")
                                 .arg(line.value(QStringLiteral("hinting")))};
        }
    }
    mSmooth = line.isSet(QStringLiteral("smooth"));
    mBold = line.isSet(QStringLiteral("bold"));
    mItalic = line.isSet(QStringLiteral("italic"));
    mUnderline = line.isSet(QStringLiteral("underline"));
    mStrikethrough = line.isSet(QStringLiteral("strikethrough"));
    if (line.isSet(QStringLiteral("chars")))
        mChars = characterSetFromText(line.value(QStringLiteral("chars")));
    if (line.isSet(QStringLiteral("chars-file")))
        mChars = characterSetFromText(utf8FileText(line.value(QStringLiteral("chars-file")), MaxCharsFileSize,
                                                   QStringLiteral("a character file is read up to %1 bytes (a ZGF "
                                                                  "font holds at most 255 characters)")));
    if (mChars)
        TexelFont::checkGlyphCount(*mChars);
}

bool DocumentOptions::isEmpty() const
{
    return onlyCodePage() && !mCodePage;
}

bool DocumentOptions::onlyCodePage() const
{
    return !mFont && !mFontFile && !mSize && !mBold && !mItalic && !mUnderline && !mStrikethrough && !mChars
        && !mAllChars && !mHinting && !mSmooth && mSettings.isEmpty();
}

void DocumentOptions::apply(TexelFont &font, Surface *renderer) const
{
    FontSelection choice;
    if (mFontFile) {
        const FontFileFaces faces = fontFileFaces(*mFontFile);
        if (faces.families.isEmpty())
            throw CommandFailure{unreadableFontFileMessage(*mFontFile)};
        const QString family = mFont.value_or(faces.families.first());
        const FontFileFace *face = faces.face(family, mBold, mItalic);
        if (!face)
            throw CommandFailure{missingFamilyMessage(*mFontFile, family)};
        choice.fontFile = *mFontFile;
        choice.family = face->family;
        choice.bold = face->bold;
        choice.italic = face->italic;
    } else if (mFont) {
        choice.fontFile = QString();
        choice.family = *mFont;
        if (!installedFontFamilies().contains(*mFont, Qt::CaseInsensitive)) {
            TerminalFeedback::print(QStringLiteral("Note: %1 is not installed; %2 is drawn in its place.")
                                        .arg(*mFont, matchedFontFamily(*mFont)));
        }
    }
    if (mBold)
        choice.bold = true;
    if (mItalic)
        choice.italic = true;
    if (mUnderline)
        choice.underline = true;
    if (mStrikethrough)
        choice.strikethrough = true;
    choice.size = mSize;
    const float requested = mSize.value_or(font.Size());
    if (mSize)
        refuseMissingStrike(font, choice, *mSize);
    const bool styled = mBold || mItalic || mUnderline || mStrikethrough;
    if (choice.family || mSize || styled) {
        try {
            applyFontChoice(font, choice, *renderer);
        } catch (const Failure &) {
            if (!mSize)
                throw;
            throw UsageError{QStringLiteral("--size: the renderer cannot draw %1 points.").arg(*mSize)};
        }
    }
    if (mCodePage)
        font.setCodePage(*mCodePage);
    if (mChars)
        font.setChars(*mChars);
    if (mAllChars)
        font.setChars(TexelFont::characterSetOf(font.CodePage()));
    mSettings.apply(font);
    if (mHinting)
        font.setHinting(*mHinting);
    if (mSmooth) {
        font.setSmooth(true);
        if (!font.hasGenericMask()) {
            TerminalFeedback::print(QStringLiteral("Note: --smooth has no effect: smooth edges go into a generic alpha "
                                                   "mask (--postprocessed --masked), and this document has none."));
        }
    }
    if (!font.FontFile().isEmpty() && (mFontFile || mSize)) {
        if (const QString note = fixedSizesNote(font.FontFile(), font.TTFName(), requested); !note.isEmpty())
            TerminalFeedback::print(QStringLiteral("Note: ") + note);
    }
    if (!font.FontFile().isEmpty() && (mFontFile || mBold || mItalic)) {
        if (const QString note = synthesisedStyleNote(font.FontFile(), font.TTFName(), font.Bold(), font.Italic());
            !note.isEmpty())
            TerminalFeedback::print(QStringLiteral("Note: ") + note);
    }
}

void declareCodePageOption(CommandLine &line, const QString &purpose)
{
    line.addValueOption({QStringLiteral("codepage")}, QStringLiteral("NAME"),
                        QStringLiteral("%1 (default 1252): %2.").arg(purpose, codePageNameList()));
}

std::optional<CodePage> codePageOption(const CommandLine &line)
{
    if (!line.isSet(QStringLiteral("codepage")))
        return std::nullopt;
    const QString name = line.value(QStringLiteral("codepage"));
    const std::optional<CodePage> page = codePageFromName(name);
    if (!page)
        throw UsageError{QStringLiteral("--codepage takes one of %1, not '%2'.").arg(codePageNameList(), name)};
    return page;
}

QString utf8FileText(const QString &path, qint64 maxSize, const QString &limit)
{
    QFile file;
    openForReading(file, path);
    if (file.size() > maxSize)
        throw CommandFailure{
            QStringLiteral("%1 holds %2 bytes; %3.").arg(path).arg(file.size()).arg(limit.arg(maxSize))};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ioFailure(file);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        throw CommandFailure{QStringLiteral("%1 is not UTF-8 text.").arg(path)};
    return text;
}

QString characterSetFromText(const QString &text)
{
    QString rows = text;
    rows.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (rows.endsWith(QLatin1Char('\n')))
        rows.chop(1);
    return rows.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

std::optional<Color> colorFromHex(const QString &text)
{
    const QString digits = text.startsWith(QLatin1Char('#')) ? text.mid(1) : text;
    const bool hex = std::all_of(digits.begin(), digits.end(), [](QChar c) { return isxdigit(c.toLatin1()); });
    if (digits.size() != 6 || !hex)
        return std::nullopt;
    const uint rgb = digits.toUInt(nullptr, 16);
    return Color(((rgb >> 16) & 0xFFu) | (rgb & 0xFF00u) | ((rgb & 0xFFu) << 16));
}

Color colorOption(const CommandLine &line, const QString &name)
{
    const std::optional<Color> color = colorFromHex(line.value(name));
    if (!color) {
        throw UsageError{
            QStringLiteral("--%1 takes a colour as RRGGBB in hexadecimal, not '%2'.").arg(name, line.value(name))};
    }
    return *color;
}

QString colorToHex(Color color)
{
    const quint32 rgb = pixelFromColor(color) & 0xFFFFFFu;
    return QStringLiteral("%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}
