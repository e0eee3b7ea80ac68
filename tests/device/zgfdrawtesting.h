#pragma once

// Fonts and screens for the drawing library's suites: every golden font and test fonts of
// each kind (RAW and RLE, no mask, whole-level, smooth and shadow masks, runs longer than 255),
// and screens in their own exactly-sized buffers, laid out as programs lay them out.

#include "../zgf/zgftest.h"
#include "zgfdraw.h"
#include "zgfgoldens.h"

#include <vector>

struct NamedFont
{
    std::string name;
    QByteArray bytes;
};

// A font whose mask holds every level (a smooth font's), optionally a shadow mask.
inline QByteArray smoothFont(bool rle, bool shadow)
{
    ZgfTestFont font = sampleFont(rle, true, false);
    std::mt19937 random(5);
    for (int y = 0; y < font.maskHeight(); ++y)
        for (int x = 0; x < font.maskWidth(); ++x)
            font.mask.setPixel(x, y, Color(0x010101 * (random() % 32) * 8));
    QByteArray bytes = font.bytes();
    if (shadow) {
        bytes[5] = char(bytes[5] | ZgfHeader::ShadowMaskFlag);
        bytes[54] = char(0x43), bytes[55] = char(0x21); // the shadow colour
        bytes[67] = char(1), bytes[68] = char(-1), bytes[69] = char(2), bytes[70] = char(1);
    }
    return bytes;
}

// Cells of 200 and 100 columns whose rows are long runs (300 pixels of one level in RLE), a
// mask narrower than the cells.
inline QByteArray wideFont(bool rle)
{
    ZgfTestFont font = ZgfTestFont{.codes = "AB",
                                   .widths = {200, 100},
                                   .leftIndents = {-100, 0},
                                   .rightIndents = {0, -90},
                                   .height = 3,
                                   .rle = rle,
                                   .masked = true,
                                   .maskWidthInc = -6,
                                   .maskHeightInc = -1,
                                   .defaultWidth = 2}
                           .prepared();
    for (int x = 0; x < 300; ++x)
        font.image.setPixel(x, 1, x % 50 < 3 ? Color(0x4080C0) : Color(0xFFFFFF));
    for (int x = 0; x < font.maskWidth(); ++x)
        font.mask.setPixel(x, 1, Color(0x010101 * (x % 32) * 8));
    return font.bytes();
}

inline std::vector<NamedFont> everyTestFont()
{
    std::vector<NamedFont> fonts;
    for (const bool rle : {false, true}) {
        const std::string coding = rle ? " rle" : " raw";
        fonts.push_back({"golden" + coding, goldenZgfFont(false, rle)});
        fonts.push_back({"golden masked" + coding, goldenZgfFont(true, rle)});
        fonts.push_back({"sample" + coding, sampleFont(rle, false, false).bytes()});
        fonts.push_back({"sample whole-level mask" + coding, sampleFont(rle, true, rle).bytes()});
        fonts.push_back({"smooth" + coding, smoothFont(rle, false)});
        fonts.push_back({"shadow" + coding, smoothFont(rle, true)});
        fonts.push_back({"wide" + coding, wideFont(rle)});
    }
    return fonts;
}

// A screen of GP32 pixels in a buffer of exactly its size (so the sanitizer sees any write
// outside it), read and written by (x, y) whatever the layout.
class Screen
{
public:
    enum class Layout { Rows, BottomUp, Rotated };

    Screen(int width, int height, Layout layout) : mPixels(size_t(width) * size_t(height))
    {
        switch (layout) {
        case Layout::Rows: mSurface = {mPixels.data(), width, height, 1, width}; break;
        case Layout::BottomUp:
            mSurface = {mPixels.data() + size_t(width) * size_t(height - 1), width, height, 1, -ptrdiff_t(width)};
            break;
        case Layout::Rotated: // as the console's screen: columns of height pixels, bottom first
            mSurface = {mPixels.data() + (height - 1), width, height, height, -1};
            break;
        }
    }
    Screen(const Screen &) = delete;

    const zgf_surface &surface() const { return mSurface; }
    quint16 &at(int x, int y) { return mSurface.pixels[x * mSurface.xstride + y * mSurface.ystride]; }
    // A patterned backdrop, so that blending shows what lay under each pixel.
    void fillPattern()
    {
        for (int y = 0; y < mSurface.height; ++y)
            for (int x = 0; x < mSurface.width; ++x)
                at(x, y) = quint16((x * 2654435761u + y * 40503u) >> 3);
    }
    // Row-major, for comparing.
    QList<quint16> rows()
    {
        QList<quint16> out;
        for (int y = 0; y < mSurface.height; ++y)
            for (int x = 0; x < mSurface.width; ++x)
                out.append(at(x, y));
        return out;
    }

private:
    std::vector<quint16> mPixels;
    zgf_surface mSurface{};
};
