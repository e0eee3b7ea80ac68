#include "zgftextlayout.h"

#include "failure.h"
#include "zgfcodepage.h"
#include "zgfdecoder.h"

namespace {

constexpr qint64 MaxSide = 32767;
constexpr qint64 MaxPixels = qint64(1) << 25;

} // namespace

ZgfTextLayout::ZgfTextLayout(const ZgfFont &font, const QString &text)
    : mData(font.bytes()), mText(text.toUtf8()), mCodePage(&deviceCodePage(font.codePage()))
{
    const int opened = zgf_open(&mFont, mData.constData(), size_t(mData.size()));
    if (opened != ZGF_OK)
        throw invalidZgfFormat(QString::fromLatin1(zgf_error_text(opened)));
    // Decoding an RLE row from its start for every character would cost the viewer a redraw.
    mIndex.resize(qsizetype((zgf_index_size(&mFont) + 3) / 4));
    if (zgf_set_index(&mFont, mIndex.data(), size_t(mIndex.size()) * 4) != ZGF_OK)
        mIndex.clear();
    const qint64 width = zgf_utf8_width(&mFont, mText.constData(), mCodePage);
    const qint64 height = zgf_utf8_height(&mFont, mText.constData(), mCodePage);
    if (width > MaxSide)
        throw Failure::overflow(width, 0, MaxSide, QStringLiteral("the text's width"));
    if (height > MaxSide)
        throw Failure::overflow(height, 0, MaxSide, QStringLiteral("the text's height"));
    if (width * height > MaxPixels)
        throw Failure::overflow(width * height, 0, MaxPixels, QStringLiteral("the text's pixel count"));
    mWidth = int(width);
    mHeight = int(height);
}

void ZgfTextLayout::draw(QList<quint16> &pixels) const
{
    if (pixels.size() != qsizetype(mWidth) * mHeight)
        throw Failure::runtime(Failure::InvalidCall);
    const zgf_surface surface{pixels.data(), mWidth, mHeight, 1, mWidth};
    const int drawn = zgf_draw_utf8(&mFont, &surface, 0, 0, mText.constData(), mCodePage);
    if (drawn != ZGF_OK)
        throw invalidZgfFormat(QString::fromLatin1(zgf_error_text(drawn)));
}
