#pragma once

#include "measuredfont.h"
#include "surface.h"
#include "testfiles.h"
#include "texelfont.h"

#include <QtEndian>

#include <climits>
#include <string>
#include <vector>

// Every setting of a document as "Field=value" lines, so two documents compare with a
// readable difference. Texts are shown as UTF-8, numbers with all their digits.
inline std::vector<std::string> documentState(const TexelFont &f)
{
    auto str = [](const QString &v) { return v.toStdString(); };
    auto num = [](double v) { return QString::number(v, 'g', 17).toStdString(); };
#define TEXEL_S(field) std::string(#field "=") + str(f.field)
#define TEXEL_N(field) std::string(#field "=") + num(f.field)
    // clang-format off
    std::vector<std::string> state = {
        TEXEL_S(Background), TEXEL_S(SampleText), TEXEL_S(Chars()), TEXEL_S(Filename()),
        TEXEL_S(GP32FileName()), TEXEL_S(Name()), TEXEL_S(TTFName()), TEXEL_S(VariableName()),
        TEXEL_N(CharHeightInc), TEXEL_N(CharSepExtra), TEXEL_N(CharWidthInc), TEXEL_N(Color),
        TEXEL_N(CustomGP32FileName), TEXEL_N(CustomName), TEXEL_N(CustomVariableName),
        TEXEL_N(InvertMask), TEXEL_N(LineSepExtra), TEXEL_N(Masked), TEXEL_N(MaskHeightInc),
        TEXEL_N(MaskWidthInc), TEXEL_N(Postprocessed), TEXEL_N(Proportional),
        TEXEL_N(Script), TEXEL_N(Serif), TEXEL_N(ShadowColor), TEXEL_N(ShadowMask),
        TEXEL_N(ShadowOX), TEXEL_N(ShadowOY), TEXEL_N(ShadowXPos), TEXEL_N(ShadowYPos),
        TEXEL_N(TransColor), TEXEL_N(Bold()), TEXEL_N(Italic()), TEXEL_N(Size()),
        TEXEL_N(Strikethrough()), TEXEL_N(Underline()), TEXEL_S(FontFile()), TEXEL_N(Smooth()),
        "Hinting=" + str(hintingName(f.Hinting())), "CodePage=" + str(codePageName(f.CodePage()))};
    // clang-format on
#undef TEXEL_S
#undef TEXEL_N
    return state;
}

// The low `size` bytes of value, little-endian.
inline QByteArray le(quint32 value, int size)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.left(size);
}

// Inclusive bounds of the pixels in columns [x0, x1) that differ from the background colour.
struct Box
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    bool operator==(const Box &) const = default;
};

inline Box inkBox(const Surface &s, int x0, int x1)
{
    Box b;
    const quint32 back = pixelFromColor(s.backColor());
    for (int y = 0; y < s.height(); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, s.width()); ++x) {
            if (s.scanLine(y)[x] != back)
                b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
        }
    }
    return b;
}

// A document's measurement kept as its owner keeps it: measured on the surface again when the
// settings changed.
class KeptMeasurement
{
public:
    KeptMeasurement(const TexelFont &font, Surface &surface) : mFont(font), mSurface(surface) {}
    const GlyphMeasurement &measure() { return remeasured(mKept, mFont, mSurface); }
    MeasuredFont measured() { return {mFont, measure()}; }
    const GlyphMeasurement &kept() const { return mKept; }
    // After the surface was made to draw differently: the document did not change.
    void forget() { mKept = {}; }

private:
    const TexelFont &mFont;
    Surface &mSurface;
    GlyphMeasurement mKept;
};
