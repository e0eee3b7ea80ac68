#pragma once

#include "char.h"
#include "failure.h"

#include "codepage.h"
#include "hinting.h"
#include "outputfile.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

class Feedback;
class Surface;
struct SurfaceFont;

// The font document: the installed font to convert, its character set, the names it
// carries on the GP32, colours, spacing and post-processing settings, and the rules that
// derive names from them. It measures nothing: measureFont (measuredfont.h) measures its
// glyphs into a GlyphMeasurement that the caller keeps, and MeasuredFont reads the two
// together.
//
// Overflow of the 16-bit arithmetic anywhere throws Failure 6 and leaves no partial result.
class TexelFont
{
public:
    TexelFont();

    // Plain fields: no side effects.
    QString Background;
    qint16 CharHeightInc = 0;
    qint16 CharSepExtra = 0;
    qint16 CharWidthInc = 0;
    qint32 Color = 0;
    bool CustomGP32FileName = false;
    bool CustomName = false;
    bool CustomVariableName = false;
    bool InvertMask = true;
    qint16 LineSepExtra = 0;
    bool Masked = false;
    qint16 MaskHeightInc = 0;
    qint16 MaskWidthInc = 0;
    bool Postprocessed = false;
    bool Proportional = true;
    QString SampleText;
    bool Script = false;
    bool Serif = false;
    qint32 ShadowColor = 0;
    bool ShadowMask = false;
    qint16 ShadowOX = 0;
    qint16 ShadowOY = 0;
    qint16 ShadowXPos = 0;
    qint16 ShadowYPos = 0;
    qint32 TransColor = 0x00FF00;
    // Keys of a loaded project's extension that this program does not know, written back
    // as they were on the next save.
    QJsonObject UnknownProjectKeys;

    // Properties.
    bool Bold() const { return mBold; }
    void setBold(bool value);
    QString Chars() const { return mChars; }
    // The code page of the character codes in the ZGF tables (not of the project's texts).
    ::CodePage CodePage() const { return mCodePage; }
    void setCodePage(::CodePage value) { mCodePage = value; }
    void setChars(const QString &value);
    QString Filename() const { return mFilename; }
    void setFilename(const QString &value);
    // The font file drawn from instead of the installed family TTFName (absolute; empty for
    // none). While it cannot be read, the installed family of TTFName is drawn.
    QString FontFile() const { return mFontFile; }
    void setFontFile(const QString &value);
    QString GP32FileName() const { return mGP32FileName; }
    ::Hinting Hinting() const { return mHinting; }
    void setHinting(::Hinting value);
    // Stores the value lower-cased without spaces; CustomGP32FileName := it differs from
    // the calculated name.
    void setGP32FileName(const QString &value);
    bool Italic() const { return mItalic; }
    void setItalic(bool value);
    QString Name() const { return mName; }
    // CustomName := the value differs from TTFName and from its familyName() (exact
    // comparison).
    void setName(const QString &value);
    float Size() const { return mSize; }
    void setSize(float value);
    // Smooth edges for a generic (not shadow) mask: see smoothMask().
    bool Smooth() const { return mSmooth; }
    void setSmooth(bool value);
    bool Strikethrough() const { return mStrikethrough; }
    void setStrikethrough(bool value);
    QString TTFName() const { return mTTFName; }
    void setTTFName(const QString &value);
    // TTFName without the "[foundry]" tag of the font list: what Name follows, and what
    // the GP32 file name's checksum counts.
    QString familyName() const;
    bool Underline() const { return mUnderline; }
    void setUnderline(bool value);
    QString VariableName() const { return mVariableName; }
    // Upper-case values are lower-cased, spaces removed; a value other than the calculated
    // name gets its first letter lower-cased and makes CustomVariableName true.
    void setVariableName(const QString &value);

    // A generic alpha mask: Masked without ShadowMask. Smooth edges go into it; without it,
    // Smooth has no effect.
    bool hasGenericMask() const { return Masked && !ShadowMask; }
    // Whether the glyphs are drawn smooth: Smooth on a font with a generic mask. The glyph
    // strip then has ink wherever a glyph covers any part of a pixel, and the mask strip the
    // coverage (0..31); measuring sees the same ink.
    bool smoothMask() const { return mSmooth && hasGenericMask(); }
    // The font the surfaces are set to: family, size, style, font file and rendering.
    SurfaceFont surfaceFont() const;
    // The failure as told of a font drawn from a file: sizes and metrics out of all bounds
    // come from a damaged file far more often than from an installed font, so the message
    // names the file; the failure itself without a font file.
    Failure fontFileFailure(const Failure &failure) const;
    // The family as shown to the person: "Liberation Sans (from sans.ttf)" for a font file.
    QString fontLabel() const { return fontLabel(mTTFName, mFontFile); }
    static QString fontLabel(const QString &family, const QString &fontFile);

    // The default C identifier: name (default: Name) without spaces, lower-cased when all
    // upper case, first letter lower-cased, then the size and the style and
    // post-processing suffixes ("arial10", "timesNewRoman12b_pm").
    QString CalculateVariableName(const QString &name = QString()) const;
    // The default GP32 file name ("a_100ba6"): prefix, two-digit size, checksum. The flags
    // are -1 for the document's own, otherwise nonzero for set. The checksum keeps its low
    // 16 bits; the result has no spaces.
    QString CalculateGP32FileName(const QString &name = QString(), const QString &variableName = QString(),
                                  qint16 proportional = -1, qint16 serif = -1, qint16 script = -1) const;
    // Sets VariableName and GP32FileName as a project file stores them. A stored name that
    // earlier versions derived is a derived name and gets today's derivation: they kept
    // characters no C identifier allows ("éclairSeñor8"), counted the family's
    // "[foundry]" tag and the unrepaired variable name in the checksum, and kept all of its
    // digits. Any other name is custom, as with the setters. Without a stored GP32 file name
    // (a version-1 project) it is calculated.
    void setStoredNames(const QString &variableName, const std::optional<QString> &gp32FileName);
    // Chars := the default character set, through the setter.
    void SetCharsToDefault();

    // The default character set: seven rows joined by CR LF, 130 characters.
    static QString defaultCharacterSet();
    // Every printable character of the code page, a row for each 32 codes.
    static QString characterSetOf(::CodePage page);
    // The glyph sequence of a character set: the text with every CR LF pair removed.
    static QString glyphSequence(const QString &chars);
    // The most glyphs a ZGF font holds: it counts them in one byte.
    static constexpr qsizetype MaxGlyphs = 255;
    // Throws Failure 6 Overflow ("the font has 300 characters, at most 255 fit") when the
    // character set has more glyphs than limit (a surrogate pair counted as one), so that a
    // set no font holds is refused before any glyph of it is measured.
    static void checkGlyphCount(const QString &chars, qsizetype limit = MaxGlyphs);

    // Where the mask strip holds no glyph: level 0, white when the mask is inverted.
    qint32 maskBackground() const { return InvertMask ? 0xFFFFFF : 0; }

    // What Save writes: the record and the extension. Throws Failure 6 when the project's
    // texts take more room than the extension holds (they would read back as damaged).
    QByteArray projectBytes() const;
    // Writes the project file Filename; false when Filename is empty or on a failure,
    // which is reported through feedback. A failed save leaves the old file as it was.
    // The first save over a file loaded with a damaged extension asks first; false when
    // the answer is no. A file of that name is replaced unless existing says Keep (see
    // OutputFile).
    bool Save(Feedback &feedback, Existing existing = Existing::Replace);
    // Reads the project file into this document; false when path is empty or on a
    // failure (reported through feedback), the document then unchanged. A damaged
    // extension is reported and loads all it can (see ProjectExtension::applyTo). A
    // character set of more glyphs than a record holds is such a failure (checkGlyphCount):
    // one of up to 512 still opens, so that it can be cut down to a font's 255. The
    // project's font file is tried on fontSurface: a file it cannot draw from is reported
    // with what is drawn instead (without a surface, only a missing file is reported).
    bool Load(const QString &path, Feedback &feedback, Surface *fontSurface = nullptr);

private:
    enum class NameRule { Today, Earlier };
    QString derivedVariableName(NameRule rule) const;
    QString derivedGP32FileName(const QString &name, const QString &variableName, qint16 proportional, qint16 serif,
                                qint16 script, NameRule rule) const;

    bool mBold = false;
    QString mChars;
    ::CodePage mCodePage = ::CodePage::Windows1252;
    QString mFilename;
    QString mFontFile;
    QString mGP32FileName;
    ::Hinting mHinting = ::Hinting::Full;
    bool mItalic = false;
    QString mName;
    float mSize = 9.75f;
    bool mSmooth = false;
    bool mStrikethrough = false;
    QString mTTFName;
    bool mUnderline = false;
    QString mVariableName;
    // The project file loaded with a damaged extension, until it is saved over, and what
    // the person was told about it.
    QString mDamagedProject;
    QString mDamage;
};
