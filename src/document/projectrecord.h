#pragma once

#include <QByteArray>
#include <QString>

class TexelFont;

// The stored settings of a document as a project file holds them: one fixed-size record,
// little-endian, 16-bit Booleans -1/0, Size as an IEEE single, Windows-1252 text fields
// padded with spaces. Version 2 (1367 bytes) is written; versions 1 (1261 bytes) and 2
// are read. Measurements, Filename and the custom flags are not stored: applying the
// record through the document's setters recomputes them.
//
// Field names are those of the document. A version-1 record is held in the same shape,
// with the settings it lacks at their version-1 values.
struct ProjectRecord
{
    static constexpr qsizetype Version1Size = 1261;
    static constexpr qsizetype Version2Size = 1367;
    // The most any version occupies: a reader never needs more of a file.
    static constexpr qsizetype MaximumSize = Version2Size;
    // The characters the record holds of Chars, as many as the windows let a person type.
    static constexpr qsizetype CharsLength = 512;
    static constexpr quint8 WrittenVersion = 2;

    // 0 holds no settings; 1 holds no GP32FileName (it is recalculated on applying).
    quint8 Version = WrittenVersion;

    QString Name;
    qint32 Color = 0;
    bool Bold = false;
    bool Italic = false;
    QString TTFName;
    float Size = 0.0f;
    bool Strikethrough = false;
    bool Underline = false;
    bool Proportional = true;
    bool Script = false;
    bool Serif = false;
    qint16 CharSepExtra = 0;
    qint16 LineSepExtra = 0;
    qint32 TransColor = 0;
    bool Postprocessed = false;
    qint16 CharHeightInc = 0;
    qint16 CharWidthInc = 0;
    bool Masked = false;
    bool ShadowMask = false;
    qint32 ShadowColor = 0;
    bool InvertMask = true;
    qint16 MaskHeightInc = 0;
    qint16 MaskWidthInc = 0;
    qint16 ShadowOX = 0;
    qint16 ShadowOY = 0;
    qint16 ShadowXPos = 0;
    qint16 ShadowYPos = 0;
    QString VariableName;
    QString GP32FileName;
    QString Chars;
    QString SampleText;
    QString Background;

    // The bytes a record of this version takes in a file (0 for version 0).
    qsizetype size() const { return Version == 1 ? Version1Size : Version == 2 ? Version2Size : 0; }

    // The document's current settings as a version-2 record.
    static ProjectRecord fromDocument(const TexelFont &font);

    // Reads a record of version 0, 1 or 2 from the start of a file's bytes. Bytes beyond
    // the end read as zeros (numbers) or nothing (text); spaces around texts are dropped.
    // Throws Failure InvalidProject without the signature, UnmanagedVersion for a version
    // above 2, and Overflow for a version-1 margin whose double leaves 16 bits; the
    // descriptions name path.
    static ProjectRecord fromBytes(const QByteArray &bytes, const QString &path);

    // The version-2 record, 1367 bytes. Text is cut at its field width and characters
    // without a Windows-1252 code are written as "?".
    QByteArray toBytes() const;

    // Sets every stored setting of the document through its setters, in the order that
    // lets the custom flags compare the loaded names; version 0 changes nothing. Throws
    // what a setter throws (Overflow for a Size the names cannot hold), so callers that
    // must stay unchanged on failure apply to a copy.
    void applyTo(TexelFont &font) const;

    // Records are equal when every setting is.
    bool operator==(const ProjectRecord &) const = default;
};
