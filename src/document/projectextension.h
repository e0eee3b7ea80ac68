#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TexelFont;

// What a project holds beyond its fixed record: after the record, the 4 bytes "TSX1", a
// 32-bit little-endian length and that many bytes of UTF-8 JSON, one object whose keys are
// named after the document's members. It keeps the texts exactly (no cut, no code-page loss,
// spaces at either end kept), the font file (relative to the project's folder when it lies
// under it) and the rendering choices. Keys this program does not know are kept in the
// document and written back. A reader of the record alone never sees it.
namespace ProjectExtension {

inline constexpr char Magic[] = "TSX1";
inline constexpr qsizetype HeaderSize = 8;
// More than any document needs; a longer extension is damaged.
inline constexpr qsizetype MaxLength = qsizetype(1) << 20;

// The extension of the document when it is saved as projectPath.
QByteArray toBytes(const TexelFont &font, const QString &projectPath);

// What was wrong with a project's extension when it was applied.
struct Damage
{
    // Why none of it could be read (bad magic, wrong length, JSON that is not strictly valid
    // or not an object); empty when it could.
    QString whole;
    // The values of known keys that were left out, each with why ("Smooth is not true or false").
    QStringList values;

    bool isEmpty() const { return whole.isEmpty() && values.isEmpty(); }
    // What the person is told: the project's file, what is wrong and what was loaded.
    QString message(const QString &projectPath) const;
};

// Applies the extension, the bytes that follow the record of the project at projectPath,
// over what the record set: its values win. Without any bytes the members the record lacks
// get their defaults. A value that cannot be used is left out alone, the record's setting
// or the default standing for it; an extension that cannot be read at all is applied as no
// bytes. Unknown keys are kept in the document.
Damage applyTo(const QByteArray &bytes, TexelFont &font, const QString &projectPath);

} // namespace ProjectExtension
