#include "projectrecord.h"

#include "checked.h"
#include "failure.h"
#include "texelfont.h"
#include "version.h"
#include "windows1252.h"

#include <QByteArrayView>
#include <QtEndian>

#include <bit>

namespace {

struct TextField
{
    qsizetype offset;
    qsizetype width;
};

constexpr TextField kSignature{0, 20};
constexpr qsizetype kVersionByte = 20;

namespace v2 {
constexpr TextField Name{21, 32};
constexpr qsizetype Color = 53;
constexpr qsizetype Bold = 57;
constexpr qsizetype Italic = 59;
constexpr TextField TTFName{61, 32};
constexpr qsizetype Size = 93;
constexpr qsizetype Strikethrough = 97;
constexpr qsizetype Underline = 99;
constexpr qsizetype Proportional = 101;
constexpr qsizetype Script = 103;
constexpr qsizetype Serif = 105;
constexpr qsizetype CharSepExtra = 107;
constexpr qsizetype LineSepExtra = 109;
constexpr qsizetype TransColor = 111;
constexpr qsizetype Postprocessed = 115;
constexpr qsizetype CharHeightInc = 117;
constexpr qsizetype CharWidthInc = 119;
constexpr qsizetype Masked = 121;
constexpr qsizetype ShadowMask = 123;
constexpr qsizetype ShadowColor = 125;
constexpr qsizetype InvertMask = 129;
constexpr qsizetype MaskHeightInc = 131;
constexpr qsizetype MaskWidthInc = 133;
constexpr qsizetype ShadowOX = 135;
constexpr qsizetype ShadowOY = 137;
constexpr qsizetype ShadowXPos = 139;
constexpr qsizetype ShadowYPos = 141;
constexpr TextField VariableName{143, 64};
constexpr TextField GP32FileName{207, 8};
constexpr TextField Chars{215, ProjectRecord::CharsLength};
constexpr TextField SampleText{727, 512};
constexpr TextField Background{1239, 128};
static_assert(Background.offset + Background.width == ProjectRecord::Version2Size);
} // namespace v2

namespace v1 {
constexpr TextField FontName{21, 32};
constexpr qsizetype Size = 53;
constexpr qsizetype Bold = 57;
constexpr qsizetype Italic = 59;
constexpr qsizetype Strikethrough = 61;
constexpr qsizetype Underline = 63;
constexpr qsizetype CharSepExtra = 65;
constexpr qsizetype GlyphMargin = 67;
constexpr TextField VariableName{69, 32};
constexpr TextField Chars{101, ProjectRecord::CharsLength};
constexpr TextField SampleText{613, 512};
constexpr qsizetype Color = 1125;
constexpr qsizetype TransColor = 1129;
constexpr TextField Background{1133, 128};
static_assert(Background.offset + Background.width == ProjectRecord::Version1Size);
} // namespace v1

// Reads fields from a file's bytes; a file may end early, so bytes past its end are zeros
// to the numbers and absent from the texts.
class FieldReader
{
public:
    explicit FieldReader(const QByteArray &bytes) : mBytes(bytes) {}

    QByteArray raw(TextField field) const
    {
        if (field.offset >= mBytes.size())
            return {};
        return mBytes.mid(field.offset, field.width);
    }
    QString text(TextField field) const
    {
        const QByteArray bytes = raw(field);
        qsizetype start = 0;
        qsizetype end = bytes.size();
        while (start < end && bytes.at(start) == ' ')
            ++start;
        while (end > start && bytes.at(end - 1) == ' ')
            --end;
        return fromWindows1252(bytes.sliced(start, end - start));
    }
    quint8 byte(qsizetype offset) const { return offset < mBytes.size() ? quint8(mBytes.at(offset)) : 0; }
    quint16 uint16(qsizetype offset) const { return quint16(byte(offset) | byte(offset + 1) << 8); }
    quint32 uint32(qsizetype offset) const { return quint32(uint16(offset)) | quint32(uint16(offset + 2)) << 16; }
    qint16 int16(qsizetype offset) const { return qint16(uint16(offset)); }
    qint32 int32(qsizetype offset) const { return qint32(uint32(offset)); }
    // Any nonzero value is true, as files written by other tools may hold 1.
    bool boolean(qsizetype offset) const { return uint16(offset) != 0; }
    float single(qsizetype offset) const { return std::bit_cast<float>(uint32(offset)); }

private:
    const QByteArray &mBytes;
};

class FieldWriter
{
public:
    explicit FieldWriter(qsizetype size) : mBytes(size, '\0') {}

    void text(TextField field, const QString &value)
    {
        const QByteArray bytes = toWindows1252(value.left(field.width)).leftJustified(field.width, ' ', true);
        mBytes.replace(field.offset, field.width, bytes);
    }
    void byte(qsizetype offset, quint8 value) { mBytes[offset] = char(value); }
    void int16(qsizetype offset, qint16 value) { qToLittleEndian(value, mBytes.data() + offset); }
    void int32(qsizetype offset, qint32 value) { qToLittleEndian(value, mBytes.data() + offset); }
    void boolean(qsizetype offset, bool value) { int16(offset, value ? -1 : 0); }
    void single(qsizetype offset, float value)
    {
        qToLittleEndian(std::bit_cast<quint32>(value), mBytes.data() + offset);
    }

    QByteArray bytes() const { return mBytes; }

private:
    QByteArray mBytes;
};

QString signature()
{
    return QLatin1String(Version::Product) + QStringLiteral(" v") + QLatin1String(Version::Text);
}

ProjectRecord readVersion2(const FieldReader &in)
{
    ProjectRecord r;
    r.Version = 2;
    r.Name = in.text(v2::Name);
    r.Color = in.int32(v2::Color);
    r.Bold = in.boolean(v2::Bold);
    r.Italic = in.boolean(v2::Italic);
    r.TTFName = in.text(v2::TTFName);
    r.Size = in.single(v2::Size);
    r.Strikethrough = in.boolean(v2::Strikethrough);
    r.Underline = in.boolean(v2::Underline);
    r.Proportional = in.boolean(v2::Proportional);
    r.Script = in.boolean(v2::Script);
    r.Serif = in.boolean(v2::Serif);
    r.CharSepExtra = in.int16(v2::CharSepExtra);
    r.LineSepExtra = in.int16(v2::LineSepExtra);
    r.TransColor = in.int32(v2::TransColor);
    r.Postprocessed = in.boolean(v2::Postprocessed);
    r.CharHeightInc = in.int16(v2::CharHeightInc);
    r.CharWidthInc = in.int16(v2::CharWidthInc);
    r.Masked = in.boolean(v2::Masked);
    r.ShadowMask = in.boolean(v2::ShadowMask);
    r.ShadowColor = in.int32(v2::ShadowColor);
    r.InvertMask = in.boolean(v2::InvertMask);
    r.MaskHeightInc = in.int16(v2::MaskHeightInc);
    r.MaskWidthInc = in.int16(v2::MaskWidthInc);
    r.ShadowOX = in.int16(v2::ShadowOX);
    r.ShadowOY = in.int16(v2::ShadowOY);
    r.ShadowXPos = in.int16(v2::ShadowXPos);
    r.ShadowYPos = in.int16(v2::ShadowYPos);
    r.VariableName = in.text(v2::VariableName);
    r.GP32FileName = in.text(v2::GP32FileName);
    r.Chars = in.text(v2::Chars);
    r.SampleText = in.text(v2::SampleText);
    r.Background = in.text(v2::Background);
    return r;
}

// The settings a version-1 record lacks keep the struct's defaults, which are the values
// such a file always meant (proportional, inverted mask, no post-processing).
ProjectRecord readVersion1(const FieldReader &in)
{
    ProjectRecord r;
    r.Version = 1;
    r.Name = r.TTFName = in.text(v1::FontName);
    r.Size = in.single(v1::Size);
    r.Bold = in.boolean(v1::Bold);
    r.Italic = in.boolean(v1::Italic);
    r.Strikethrough = in.boolean(v1::Strikethrough);
    r.Underline = in.boolean(v1::Underline);
    r.CharSepExtra = in.int16(v1::CharSepExtra);
    // The margin was kept on each side of a glyph; the increments count both sides.
    r.CharWidthInc = r.CharHeightInc = toInt16(2 * qint64(in.int16(v1::GlyphMargin)));
    r.VariableName = in.text(v1::VariableName);
    r.Chars = in.text(v1::Chars);
    r.SampleText = in.text(v1::SampleText);
    r.Color = in.int32(v1::Color);
    r.TransColor = in.int32(v1::TransColor);
    r.Background = in.text(v1::Background);
    return r;
}

} // namespace

ProjectRecord ProjectRecord::fromDocument(const TexelFont &font)
{
    ProjectRecord r;
    r.Version = WrittenVersion;
    r.Name = font.Name();
    r.Color = font.Color;
    r.Bold = font.Bold();
    r.Italic = font.Italic();
    r.TTFName = font.TTFName();
    r.Size = font.Size();
    r.Strikethrough = font.Strikethrough();
    r.Underline = font.Underline();
    r.Proportional = font.Proportional;
    r.Script = font.Script;
    r.Serif = font.Serif;
    r.CharSepExtra = font.CharSepExtra;
    r.LineSepExtra = font.LineSepExtra;
    r.TransColor = font.TransColor;
    r.Postprocessed = font.Postprocessed;
    r.CharHeightInc = font.CharHeightInc;
    r.CharWidthInc = font.CharWidthInc;
    r.Masked = font.Masked;
    r.ShadowMask = font.ShadowMask;
    r.ShadowColor = font.ShadowColor;
    r.InvertMask = font.InvertMask;
    r.MaskHeightInc = font.MaskHeightInc;
    r.MaskWidthInc = font.MaskWidthInc;
    r.ShadowOX = font.ShadowOX;
    r.ShadowOY = font.ShadowOY;
    r.ShadowXPos = font.ShadowXPos;
    r.ShadowYPos = font.ShadowYPos;
    r.VariableName = font.VariableName();
    r.GP32FileName = font.GP32FileName();
    r.Chars = font.Chars();
    r.SampleText = font.SampleText;
    r.Background = font.Background;
    return r;
}

ProjectRecord ProjectRecord::fromBytes(const QByteArray &bytes, const QString &path)
{
    const FieldReader in(bytes);
    if (!in.raw(kSignature).startsWith(QByteArrayView(Version::Product))) {
        throw Failure(Failure::InvalidProject,
                      QStringLiteral("File %1 does not contain valid TexelSmithy data.").arg(path));
    }
    switch (in.byte(kVersionByte)) {
    case 0: {
        ProjectRecord empty;
        empty.Version = 0;
        return empty;
    }
    case 1: return readVersion1(in);
    case 2: return readVersion2(in);
    default:
        throw Failure(Failure::UnmanagedVersion,
                      QStringLiteral("This version of TexelSmithy can't manage the file %1.").arg(path));
    }
}

QByteArray ProjectRecord::toBytes() const
{
    FieldWriter out(Version2Size);
    out.text(kSignature, signature());
    out.byte(kVersionByte, WrittenVersion);
    out.text(v2::Name, Name);
    out.int32(v2::Color, Color);
    out.boolean(v2::Bold, Bold);
    out.boolean(v2::Italic, Italic);
    out.text(v2::TTFName, TTFName);
    out.single(v2::Size, Size);
    out.boolean(v2::Strikethrough, Strikethrough);
    out.boolean(v2::Underline, Underline);
    out.boolean(v2::Proportional, Proportional);
    out.boolean(v2::Script, Script);
    out.boolean(v2::Serif, Serif);
    out.int16(v2::CharSepExtra, CharSepExtra);
    out.int16(v2::LineSepExtra, LineSepExtra);
    out.int32(v2::TransColor, TransColor);
    out.boolean(v2::Postprocessed, Postprocessed);
    out.int16(v2::CharHeightInc, CharHeightInc);
    out.int16(v2::CharWidthInc, CharWidthInc);
    out.boolean(v2::Masked, Masked);
    out.boolean(v2::ShadowMask, ShadowMask);
    out.int32(v2::ShadowColor, ShadowColor);
    out.boolean(v2::InvertMask, InvertMask);
    out.int16(v2::MaskHeightInc, MaskHeightInc);
    out.int16(v2::MaskWidthInc, MaskWidthInc);
    out.int16(v2::ShadowOX, ShadowOX);
    out.int16(v2::ShadowOY, ShadowOY);
    out.int16(v2::ShadowXPos, ShadowXPos);
    out.int16(v2::ShadowYPos, ShadowYPos);
    out.text(v2::VariableName, VariableName);
    out.text(v2::GP32FileName, GP32FileName);
    out.text(v2::Chars, Chars);
    out.text(v2::SampleText, SampleText);
    out.text(v2::Background, Background);
    return out.bytes();
}

void ProjectRecord::applyTo(TexelFont &font) const
{
    if (Version == 0)
        return;
    // TTFName before Name, so CustomName compares the two loaded names; the settings the
    // names depend on before VariableName and GP32FileName, so their flags compare with
    // names calculated from the loaded settings.
    font.setTTFName(TTFName);
    font.setName(Name);
    font.Color = Color;
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setSize(Size);
    font.setStrikethrough(Strikethrough);
    font.setUnderline(Underline);
    font.Proportional = Proportional;
    font.Serif = Serif;
    font.Script = Script;
    font.CharSepExtra = CharSepExtra;
    font.LineSepExtra = LineSepExtra;
    font.TransColor = TransColor;
    font.setChars(Chars);
    font.Postprocessed = Postprocessed;
    font.CharHeightInc = CharHeightInc;
    font.CharWidthInc = CharWidthInc;
    font.Masked = Masked;
    font.ShadowMask = ShadowMask;
    font.ShadowColor = ShadowColor;
    font.InvertMask = InvertMask;
    font.MaskHeightInc = MaskHeightInc;
    font.MaskWidthInc = MaskWidthInc;
    font.ShadowOX = ShadowOX;
    font.ShadowOY = ShadowOY;
    font.ShadowXPos = ShadowXPos;
    font.ShadowYPos = ShadowYPos;
    font.setStoredNames(VariableName, Version == 1 ? std::nullopt : std::optional(GP32FileName));
    font.SampleText = SampleText;
    font.Background = Background;
}
