#include "zgfflagnames.h"

#include "zgfheader.h"

#include <utility>

QStringList zgfFlagNames(quint16 flags)
{
    static const std::pair<quint16, const char *> names[] = {
        {ZgfHeader::Color16, "16-bit pixels"},
        {ZgfHeader::RleImage, "RLE image"},
        {ZgfHeader::HasMask, "mask"},
        {ZgfHeader::RleMask, "RLE mask"},
        {ZgfHeader::ShadowMaskFlag, "shadow mask"},
        {ZgfHeader::HasIndents, "indent tables"},
        {ZgfHeader::PostprocessedFlag, "post-processed"},
        {ZgfHeader::ProportionalFlag, "proportional"},
        {ZgfHeader::SerifFlag, "serif"},
        {ZgfHeader::ScriptFlag, "script"},
        {ZgfHeader::BoldFlag, "bold"},
        {ZgfHeader::ItalicFlag, "italic"},
        {ZgfHeader::UnderlineFlag, "underline"},
        {ZgfHeader::StrikethroughFlag, "strikethrough"},
    };
    QStringList set;
    quint16 known = 0;
    for (const auto &[bit, name] : names) {
        known |= bit;
        if (flags & bit)
            set.append(QLatin1String(name));
    }
    for (int bit = 0; bit < 16; ++bit) {
        const quint16 value = quint16(1u << bit);
        if ((flags & value) && !(known & value))
            set.append(QStringLiteral("bit %1").arg(bit));
    }
    return set;
}
