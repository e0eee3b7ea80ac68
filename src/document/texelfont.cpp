#include "texelfont.h"

#include "characters.h"
#include "failure.h"
#include "numbers.h"
#include "paths.h"
#include "spaces.h"
#include "surface.h"
#include "variablename.h"
#include "windows1252.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString firstLetterLowered(const QString &text)
{
    return text.isEmpty() ? text : text.left(1).toLower() + text.mid(1);
}

} // namespace

TexelFont::TexelFont()
{
    // The order matters: each setter's rule sees the values set before it.
    setFilename(QString());
    setTTFName(QStringLiteral("Arial"));
    setName(mTTFName);
    Color = 0;
    setBold(false);
    setItalic(false);
    setSize(9.75f);
    setStrikethrough(false);
    setUnderline(false);
    Proportional = true;
    Script = false;
    Serif = false;
    CharSepExtra = 0;
    LineSepExtra = 0;
    TransColor = 0x00FF00;
    mChars = defaultCharacterSet();
    Postprocessed = false;
    CharHeightInc = 0;
    CharWidthInc = 0;
    Masked = false;
    ShadowColor = 0;
    ShadowMask = false;
    InvertMask = true;
    MaskHeightInc = 0;
    MaskWidthInc = 0;
    ShadowOX = ShadowOY = ShadowXPos = ShadowYPos = 0;
    setVariableName(CalculateVariableName());
    setGP32FileName(CalculateGP32FileName());
    Background.clear();
    SampleText = mChars;
}

QString TexelFont::defaultCharacterSet()
{
    static const QString set =
        QStringList{
            QStringLiteral("0123456789"),
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
            QStringLiteral("abcdefghijklmnopqrstuvwxyz"),
            QStringLiteral(".,:\u00BF\u00A1!?'"),
            QStringLiteral("\"()[]+-*/\\_@&\u20AC$\u00B7"),
            QStringLiteral("\u00C1\u00C0\u00C4\u00C2\u00C9\u00C8\u00CA\u00CB\u00CD\u00CC\u00CE"
                           "\u00CF\u00D3\u00D2\u00D4\u00D6\u00DA\u00D9\u00DB\u00DC\u00C7\u00D1"),
            QStringLiteral("\u00E1\u00E0\u00E4\u00E2\u00E9\u00E8\u00EA\u00EB\u00ED\u00EC\u00EE"
                           "\u00EF\u00F3\u00F2\u00F4\u00F6\u00FA\u00F9\u00FB\u00FC\u00E7\u00F1"),
        }
            .join(kCrLf);
    return set;
}

QString TexelFont::characterSetOf(::CodePage page)
{
    QStringList rows;
    int row = -1;
    for (const QChar c : printableCharacters(page)) {
        const int code = codePageCode(page, c.unicode());
        if (code / 32 != row) {
            rows.append(QString());
            row = code / 32;
        }
        rows.last().append(c);
    }
    return rows.join(QStringLiteral("\r\n"));
}

QString TexelFont::glyphSequence(const QString &chars)
{
    QString glyphs = chars;
    return glyphs.remove(kCrLf);
}

void TexelFont::checkGlyphCount(const QString &chars, qsizetype limit)
{
    const QString sequence = glyphSequence(chars);
    qsizetype glyphs = sequence.size();
    for (qsizetype i = 1; i < sequence.size(); ++i) {
        if (sequence.at(i - 1).isHighSurrogate() && sequence.at(i).isLowSurrogate()) {
            --glyphs;
            ++i;
        }
    }
    if (glyphs > limit) {
        throw Failure(
            Failure::Overflow,
            QStringLiteral("Overflow: the font has %1 characters, at most %2 fit").arg(glyphs).arg(MaxGlyphs));
    }
}

void TexelFont::setBold(bool value)
{
    mBold = value;
}

void TexelFont::setChars(const QString &value)
{
    mChars = value;
}

void TexelFont::setFilename(const QString &value)
{
    mFilename = value;
}

void TexelFont::setFontFile(const QString &value)
{
    mFontFile = value;
}

void TexelFont::setHinting(::Hinting value)
{
    mHinting = value;
}

void TexelFont::setSmooth(bool value)
{
    mSmooth = value;
}

void TexelFont::setItalic(bool value)
{
    mItalic = value;
}

void TexelFont::setSize(float value)
{
    mSize = value;
}

void TexelFont::setStrikethrough(bool value)
{
    mStrikethrough = value;
}

void TexelFont::setTTFName(const QString &value)
{
    mTTFName = value;
}

void TexelFont::setUnderline(bool value)
{
    mUnderline = value;
}

void TexelFont::setName(const QString &value)
{
    mName = value;
    CustomName = value != mTTFName && value != familyName();
}

QString TexelFont::familyName() const
{
    return familyWithoutFoundry(mTTFName);
}

void TexelFont::setVariableName(const QString &value)
{
    QString v = value;
    if (v == v.toUpper())
        v = v.toLower();
    v = withoutSpaces(v);
    if (v != CalculateVariableName()) {
        mVariableName = firstLetterLowered(v);
        CustomVariableName = true;
    } else {
        mVariableName = v;
        CustomVariableName = false;
    }
}

void TexelFont::setGP32FileName(const QString &value)
{
    mGP32FileName = withoutSpaces(value.toLower());
    CustomGP32FileName = mGP32FileName != CalculateGP32FileName();
}

namespace {

// The integer part of Size + 0.25, as the names and the ZGF header use it.
qint32 wholePoints(float size)
{
    const double points = std::floor(double(size) + 0.25);
    constexpr double low = std::numeric_limits<qint32>::min(), high = std::numeric_limits<qint32>::max();
    // A NaN fails both comparisons.
    if (!(points >= low && points <= high)) {
        throw Failure::runtime(
            Failure::Overflow,
            QStringLiteral("the size is %1 points, outside %2..%3").arg(size).arg(low, 0, 'f', 0).arg(high, 0, 'f', 0));
    }
    return qint32(points);
}

} // namespace

QString TexelFont::CalculateVariableName(const QString &name) const
{
    return composeVariableName({name.isEmpty() ? mName : name, wholePoints(mSize), mBold, mItalic, mUnderline,
                                mStrikethrough, Postprocessed, Masked});
}

QString TexelFont::CalculateGP32FileName(const QString &name, const QString &variableName, qint16 proportional,
                                         qint16 serif, qint16 script) const
{
    return derivedGP32FileName(name.isEmpty() ? mName : name, variableName.isEmpty() ? mVariableName : variableName,
                               proportional, serif, script, NameRule::Today);
}

QString TexelFont::derivedVariableName(NameRule rule) const
{
    if (rule == NameRule::Today)
        return CalculateVariableName();
    return composeUnrepairedVariableName(
        {mName, wholePoints(mSize), mBold, mItalic, mUnderline, mStrikethrough, Postprocessed, Masked});
}

QString TexelFont::derivedGP32FileName(const QString &n, const QString &v, qint16 proportional, qint16 serif,
                                       qint16 script, NameRule rule) const
{
    auto flag = [](qint16 argument, bool own) { return argument == -1 ? own : argument != 0; };
    const qint32 points = wholePoints(mSize); // refuses a size the prefix cannot format

    const QString t = trimSpaces(n);
    QString result = t.left(1);
    const qsizetype space = t.indexOf(QLatin1Char(' '));
    result += space >= 0 ? t.mid(space + 1, 1) : QStringLiteral("_");
    result += formatTwoDigits(double(mSize) + 0.25);

    const QString family = rule == NameRule::Today ? familyName() : mTTFName;
    QString checksumText = n + family + QString::number(points) + v;
    const std::pair<bool, const char *> words[] = {
        {mBold, "Bold"},
        {mItalic, "Italic"},
        {mUnderline, "Underline"},
        {mStrikethrough, "Strikethrough"},
        {flag(proportional, Proportional), "Proportional"},
        {flag(serif, Serif), "Serif"},
        {flag(script, Script), "Script"},
        {Postprocessed, "Postprocessed"},
        {Postprocessed && Masked, "Masked"},
    };
    for (const auto &[set, word] : words) {
        if (set)
            checksumText += QLatin1String(word);
    }
    quint32 sum = 0;
    for (const char byte : toWindows1252(checksumText))
        sum += quint8(byte);
    // Only four hex digits have room in the eight-character name.
    if (rule == NameRule::Today)
        sum &= 0xFFFFu;
    result += QStringLiteral("%1").arg(sum, 4, 16, QLatin1Char('0')).toUpper();
    return withoutSpaces(result.toLower());
}

void TexelFont::setStoredNames(const QString &variableName, const std::optional<QString> &gp32FileName)
{
    // The earlier checksum counted the variable name as stored, before today's derivation
    // replaces it.
    const QString earlierFileName = derivedGP32FileName(mName, variableName, -1, -1, -1, NameRule::Earlier);
    const bool derivedVariable = variableName == derivedVariableName(NameRule::Earlier);
    setVariableName(derivedVariable ? CalculateVariableName() : variableName);
    const bool derivedFile = !gp32FileName || withoutSpaces(gp32FileName->toLower()) == earlierFileName;
    setGP32FileName(derivedFile ? CalculateGP32FileName() : *gp32FileName);
}

void TexelFont::SetCharsToDefault()
{
    setChars(defaultCharacterSet());
}

SurfaceFont TexelFont::surfaceFont() const
{
    SurfaceFont font{mTTFName, mSize, mBold, mItalic, mStrikethrough, mUnderline};
    font.file = mFontFile;
    font.hinting = mHinting;
    font.smooth = smoothMask();
    return font;
}

QString TexelFont::fontLabel(const QString &family, const QString &fontFile)
{
    if (fontFile.isEmpty())
        return family;
    return QStringLiteral("%1 (from %2)").arg(family, GetFileName(fontFile));
}

Failure TexelFont::fontFileFailure(const Failure &failure) const
{
    if (mFontFile.isEmpty() || failure.message().contains(QDir::toNativeSeparators(mFontFile)))
        return failure;
    return Failure(failure.number,
                   QStringLiteral("The font file %1 draws glyphs too large to measure or to hold, as a "
                                  "damaged file does (%2)")
                       .arg(QDir::toNativeSeparators(mFontFile), failure.message()));
}
