#include "fontdatafaces.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

namespace {

struct LibraryCloser
{
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceCloser
{
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<FT_LibraryRec_, LibraryCloser>;
using Face = std::unique_ptr<FT_FaceRec_, FaceCloser>;

Face openFace(FT_Library library, const QByteArray &data, FT_Long index, FT_Error *error)
{
    FT_Face face = nullptr;
    *error = FT_New_Memory_Face(library, reinterpret_cast<const FT_Byte *>(data.constData()), FT_Long(data.size()),
                                index, &face);
    return Face(*error ? nullptr : face);
}

// What keeps the face from drawing its characters up to U+00FF ("cannot draw the glyph of
// U+00E9"); empty when it draws them all.
QString brokenGlyph(FT_Face face)
{
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0)
        return QString();
    const FT_Int32 flags = FT_IS_SCALABLE(face) ? FT_LOAD_NO_SCALE : FT_LOAD_DEFAULT;
    if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) != 0)
        return QStringLiteral("cannot set its first size");
    FT_UInt glyph = 0;
    for (FT_ULong c = FT_Get_First_Char(face, &glyph); glyph != 0 && c <= 0xFF; c = FT_Get_Next_Char(face, c, &glyph)) {
        if (FT_Load_Glyph(face, glyph, flags) != 0)
            return QStringLiteral("cannot draw the glyph of U+%1")
                .arg(QString::number(uint(c), 16).toUpper(), 4, QLatin1Char('0'));
    }
    return QString();
}

} // namespace

FontFileFaces facesOfFontData(const QByteArray &data, const QString &nameless)
{
    FontFileFaces result;
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) {
        result.problem = QStringLiteral("the font renderer cannot start");
        return result;
    }
    const Library library(raw);
    FT_Error error = 0;
    const Face first = openFace(raw, data, 0, &error);
    if (!first) {
        result.problem = QStringLiteral("it holds no font that can be read (error %1)").arg(error);
        return result;
    }
    const FT_Long count = first->num_faces;
    for (FT_Long i = 0; i < count; ++i) {
        const Face face = i == 0 ? Face() : openFace(raw, data, i, &error);
        FT_Face f = i == 0 ? first.get() : face.get();
        const QString where = count > 1 ? QStringLiteral("its face %1").arg(i + 1) : QStringLiteral("its face");
        if (!f) {
            result.problem = QStringLiteral("%1 cannot be read (error %2)").arg(where).arg(error);
            return result;
        }
        if (const QString broken = brokenGlyph(f); !broken.isEmpty()) {
            result.problem = QStringLiteral("%1 %2").arg(where, broken);
            return result;
        }
        FontFileFace entry;
        entry.family = f->family_name ? QString::fromUtf8(f->family_name).trimmed() : QString();
        if (entry.family.isEmpty())
            entry.family = nameless;
        entry.style = f->style_name ? QString::fromUtf8(f->style_name) : QString();
        entry.bold = f->style_flags & FT_STYLE_FLAG_BOLD;
        entry.italic = f->style_flags & FT_STYLE_FLAG_ITALIC;
        entry.scalable = FT_IS_SCALABLE(f);
        entry.index = int(i);
        for (int s = 0; !entry.scalable && s < f->num_fixed_sizes; ++s) {
            const int pixels = int((f->available_sizes[s].y_ppem + 32) >> 6);
            if (pixels > 0 && !entry.pixelSizes.contains(pixels))
                entry.pixelSizes.append(pixels);
        }
        std::sort(entry.pixelSizes.begin(), entry.pixelSizes.end());
        if (!entry.scalable && entry.pixelSizes.isEmpty()) {
            result.problem = QStringLiteral("%1 has neither outlines nor sizes").arg(where);
            return result;
        }
        result.faces.append(entry);
        if (!result.families.contains(entry.family))
            result.families.append(entry.family);
    }
    return result;
}
