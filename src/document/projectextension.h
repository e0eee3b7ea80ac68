#pragma once

#include <QByteArray>
#include <QString>

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

// Applies the extension, the bytes that follow the record of the project at projectPath,
// over what the record set: its values win. Without any bytes the members the record lacks
// get their defaults. Returns what is wrong with a damaged extension (bad magic, wrong
// length, not a JSON object, a member of the wrong type), the document then unchanged; an
// empty text when all went well.
QString applyTo(const QByteArray &bytes, TexelFont &font, const QString &projectPath);

} // namespace ProjectExtension
