#include "rastersurface.h"

#include "characters.h"
#include "fileerrors.h"
#include "fontfiles.h"
#include "machinefontsettings.h"
#include "paths.h"
#include "picturefile.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QBuffer>
#include <QGlyphRun>
#include <QImageWriter>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include <sys/mman.h>

namespace {

constexpr int DotsPerMeter = 3780; // 96 dpi
// Texts whose advance (or ink box) is remembered before the cache starts over.
constexpr qsizetype MaxCachedAdvances = 4096;
// A buffer this many times larger than the size set is given back.
constexpr qint64 MaxWaste = 4;
constexpr qint64 SmallBuffer = 1 << 20;
// Qt's text layout draws a soft hyphen only where it breaks a line; here it is a character
// like any other, drawn from the font's glyph.
constexpr QChar SoftHyphen(0x00AD);

// The largest em in pixels that Qt's raster engine draws from its glyph cache, which it
// takes from the environment as it does.
int largestCachedGlyph()
{
    static const int size = [] {
        const int given = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return given > 0 ? given : 64;
    }();
    return size;
}

// A raster this large gets its pages mapped in one call: a strip of large glyphs is
// megabytes that the first clear() would otherwise fault in page by page.
constexpr qint64 PrefaultedBytes = qint64(1) << 20;

void unmapPixels(void *info)
{
    const auto *mapping = static_cast<const std::pair<void *, size_t> *>(info);
    ::munmap(mapping->first, mapping->second);
    delete mapping;
}

QImage rasterImage(int width, int height)
{
    const qint64 bytes = qint64(width) * height * 4;
    if (bytes >= PrefaultedBytes) {
        void *pixels =
            ::mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (pixels != MAP_FAILED) {
            QImage image(static_cast<uchar *>(pixels), width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                         unmapPixels, new std::pair<void *, size_t>(pixels, size_t(bytes)));
            image.setDotsPerMeterX(DotsPerMeter);
            image.setDotsPerMeterY(DotsPerMeter);
            return image;
        }
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(DotsPerMeter);
    image.setDotsPerMeterY(DotsPerMeter);
    return image;
}

QColor qColor(Color color)
{
    return QColor::fromRgb(pixelFromColor(color));
}

bool sameFont(const SurfaceFont &a, const SurfaceFont &b)
{
    return a.name == b.name && a.size == b.size && a.bold == b.bold && a.italic == b.italic
        && a.strikethrough == b.strikethrough && a.underline == b.underline && a.file == b.file
        && a.hinting == b.hinting && a.smooth == b.smooth;
}

QFont::HintingPreference hintingPreference(Hinting hinting)
{
    switch (hinting) {
    case Hinting::None: return QFont::PreferNoHinting;
    case Hinting::Slight: return QFont::PreferVerticalHinting;
    case Hinting::Full: break;
    }
    return QFont::PreferFullHinting;
}

} // namespace

RasterSurface::RasterSurface() : mImage(rasterImage(1, 1)), mMetrics(QFont())
{
    ignoreMachineGlyphSettings();
    mPainter.begin(&mImage);
    setForeColor(mFore);
    mRequested = SurfaceFont{QFont().family(), 9.75f};
}

RasterSurface::~RasterSurface() = default;

void RasterSurface::setFont(const SurfaceFont &font)
{
    const double em = std::round(double(font.size) * 96.0 / 72.0);
    if (!std::isfinite(font.size) || em < 1.0 || font.size > MaxPointSize)
        throw Failure::runtime(Failure::InvalidCall);
    // The document sets the same font before every measurement; keep what was worked out,
    // unless the font file was replaced or removed since.
    if (!mFontRealised || !sameFont(font, mRequested)
        || (!font.file.isEmpty() && fontFileVersion(font.file) != mFileVersion))
        applyFont(font);
}

void RasterSurface::realiseFont() const
{
    // Loading the default family costs a command that sets its own font first about a
    // millisecond, so it is loaded when first used.
    if (!mFontRealised)
        const_cast<RasterSurface *>(this)->applyFont(mRequested);
}

void RasterSurface::applyFont(const SurfaceFont &font)
{
    currentX(); // the text drawn last advances in its own font

    std::optional<FontFileDrawing> drawing;
    if (!font.file.isEmpty())
        drawing = fontFileDrawing(font.file, font.name, font.bold, font.italic);
    mStrike.reset();
    if (drawing && !drawing->face.scalable) {
        auto strike =
            std::make_unique<StrikeText>(drawing->data, nearestStrike(drawing->face.pixelSizes, font.size),
                                         font.bold && !drawing->face.bold, font.italic && !drawing->face.italic);
        if (strike->isValid())
            mStrike = std::move(strike);
        else
            drawing.reset();
    }

    QFont f;
    f.setFamily(drawing && drawing->face.scalable ? drawing->drawingFamily : font.name);
    f.setPixelSize(int(std::round(double(font.size) * 96.0 / 72.0)));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setStrikeOut(font.strikethrough);
    f.setUnderline(font.underline);
    // Slight hinting exists only for anti-aliased glyphs: an aliased font with it is drawn
    // anti-aliased and cut at half coverage.
    mThresholded = !font.smooth && font.hinting == Hinting::Slight;
    f.setStyleStrategy(font.smooth || mThresholded
                           ? QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias)
                           : QFont::NoAntialias);
    f.setHintingPreference(hintingPreference(font.hinting));
    // Glyphs are measured after a space and drawn alone; kerning would move them between
    // the two, so pairs are never kerned.
    f.setKerning(false);

    mFont = f;
    mRequested = font;
    mFileVersion = font.file.isEmpty() ? QString() : fontFileVersion(font.file);
    mPainter.setFont(mFont);
    mMetrics = QFontMetricsF(mFont, &mImage);
    mAscent = mStrike ? mStrike->ascent() : mMetrics.ascent();
    mLineHeight = mStrike ? mStrike->ascent() + mStrike->descent() : mMetrics.ascent() + mMetrics.descent();
    mAdvances.clear();
    mBounds.clear();
    mRawFont = QRawFont();

    const QFontInfo info(mFont);
    mRealised = SurfaceFont{info.family(),    float(info.pixelSize() * 72.0 / 96.0),
                            info.bold(),      info.italic(),
                            info.strikeOut(), info.underline()};
    if (drawing) {
        // The face's own weight and slant show, and a style it lacks is synthesised.
        mRealised.name = drawing->face.family;
        mRealised.bold = font.bold || drawing->face.bold;
        mRealised.italic = font.italic || drawing->face.italic;
        mRealised.file = font.file;
    }
    if (mStrike) {
        mRealised.size = pointsOfPixels(mStrike->pixelSize());
        mRealised.strikethrough = font.strikethrough;
        mRealised.underline = font.underline;
    }
    mRealised.hinting = font.hinting;
    mRealised.smooth = font.smooth;
    mDrawsAlike = mStrike || std::max(mFont.pixelSize(), info.pixelSize()) <= largestCachedGlyph();
    mFontRealised = true;
}

void RasterSurface::setForeColor(Color color)
{
    mFore = color;
    mPainter.setPen(qColor(color));
}

void RasterSurface::setSize(int width, int height)
{
    if (width < 0 || height < 0 || width > MaxSide || height > MaxSide)
        throw Failure::runtime(Failure::InvalidCall);
    const qint64 needed = qint64(std::max(width, 1)) * std::max(height, 1);
    int capacityWidth = std::max(width, mImage.width());
    int capacityHeight = std::max(height, mImage.height());
    if (qint64(capacityWidth) * capacityHeight > std::max(MaxWaste * needed, SmallBuffer)) {
        capacityWidth = std::max(width, 1);
        capacityHeight = std::max(height, 1);
    }
    if (capacityWidth != mImage.width() || capacityHeight != mImage.height())
        reallocate(capacityWidth, capacityHeight);
    mWidth = width;
    mHeight = height;
}

void RasterSurface::reallocate(int capacityWidth, int capacityHeight)
{
    QImage image = rasterImage(capacityWidth, capacityHeight);
    if (image.isNull())
        throw Failure::runtime(Failure::InvalidCall);
    mPainter.end();
    mImage = std::move(image);
    mPainter.begin(&mImage);
    mPainter.setFont(mFont);
    mPainter.setPen(qColor(mFore));
}

void RasterSurface::clear()
{
    const quint32 pixel = pixelFromColor(mBack);
    uchar *bits = mImage.bits();
    const qsizetype stride = mImage.bytesPerLine();
    for (int y = 0; y < mHeight; ++y)
        std::fill_n(reinterpret_cast<quint32 *>(bits + y * stride), mWidth, pixel);
    setCurrentX(0);
    mY = 0;
}

void RasterSurface::drawText(const QString &text)
{
    if (text.isEmpty())
        return;
    realiseFont();
    const QPointF pen(currentX(), mY + mAscent);
    if (mStrike) {
        mStrike->draw(mImage, QRect(0, 0, mWidth, mHeight), pen.toPoint(), text, mPainter, mRequested.underline,
                      mRequested.strikethrough);
    } else if (mThresholded)
        drawThresholded(pen, text);
    else
        paintText(mPainter, pen, text);
    mPendingAdvance = text;
}

void RasterSurface::paintText(QPainter &painter, QPointF pen, const QString &text) const
{
    if (!text.contains(SoftHyphen)) {
        painter.drawText(pen, text);
        return;
    }
    forEachSoftHyphenPart(text, [&](const QString &part, double x) {
        if (part != SoftHyphen) {
            painter.drawText(pen + QPointF(x, 0), part);
        } else if (const quint32 glyph = softHyphenGlyph()) {
            QGlyphRun run;
            run.setRawFont(rawFont());
            run.setGlyphIndexes({glyph});
            run.setPositions({QPointF(0, 0)});
            painter.drawGlyphRun(pen + QPointF(x, 0), run);
        }
    });
}

template <typename F>
void RasterSurface::forEachSoftHyphenPart(const QString &text, F f) const
{
    double x = 0;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype hyphen = text.indexOf(SoftHyphen, start);
        const QString part = hyphen == start ? QString(SoftHyphen) : text.mid(start, hyphen < 0 ? -1 : hyphen - start);
        f(part, x);
        x += textWidth(part);
        start += part.size();
    }
}

quint32 RasterSurface::softHyphenGlyph() const
{
    const QList<quint32> glyphs = rawFont().glyphIndexesForString(QString(SoftHyphen));
    return glyphs.isEmpty() ? 0 : glyphs.first();
}

void RasterSurface::drawThresholded(QPointF pen, const QString &text)
{
    // Only the text's box is drawn and scanned: its ink, and its advance down to the descent
    // where underline and strikeout run; a pixel more each way for anti-aliased edges.
    const QRectF ink = textBounds(text).translated(pen.x(), mY);
    const QRectF advance(pen.x(), mY, textWidth(text), mLineHeight);
    const QRect box = ink.united(advance).toAlignedRect().adjusted(-2, -2, 2, 2) & QRect(0, 0, mWidth, mHeight);
    if (box.isEmpty())
        return;
    QImage coverage(box.size(), QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    QPainter painter(&coverage);
    painter.setFont(mFont);
    painter.setPen(Qt::white);
    paintText(painter, pen - QPointF(box.topLeft()), text);
    painter.end();
    const quint32 fore = pixelFromColor(mFore);
    for (int y = 0; y < box.height(); ++y) {
        const auto *covered = reinterpret_cast<const QRgb *>(coverage.constScanLine(y));
        quint32 *line = writableScanLine(box.top() + y) + box.left();
        for (int x = 0; x < box.width(); ++x) {
            if (qAlpha(covered[x]) >= 128)
                line[x] = fore;
        }
    }
}

double RasterSurface::currentX() const
{
    if (!mPendingAdvance.isEmpty()) {
        mX += textWidth(mPendingAdvance);
        mPendingAdvance.clear();
    }
    return mX;
}

double RasterSurface::textWidth(const QString &text) const
{
    realiseFont();
    if (const auto it = mAdvances.constFind(text); it != mAdvances.constEnd())
        return *it;
    if (mAdvances.size() >= MaxCachedAdvances)
        mAdvances.clear();
    double advance = 0;
    if (mStrike) {
        advance = mStrike->advance(text);
    } else if (text == SoftHyphen) {
        if (const quint32 glyph = softHyphenGlyph())
            advance = rawFont().advancesForGlyphIndexes(QList<quint32>{glyph}).value(0).x();
    } else if (text.contains(SoftHyphen)) {
        forEachSoftHyphenPart(text, [&](const QString &part, double x) { advance = x + textWidth(part); });
    } else {
        advance = mMetrics.horizontalAdvance(text);
    }
    mAdvances.insert(text, advance);
    return advance;
}

QRectF RasterSurface::textBounds(const QString &text) const
{
    realiseFont();
    // The glyphs' boxes from the baseline, which cached glyphs are drawn on rounded to
    // whole pixels, half up. One character's box needs no layout.
    if (const auto it = mBounds.constFind(text); it != mBounds.constEnd())
        return *it;
    if (mBounds.size() >= MaxCachedAdvances)
        mBounds.clear();
    const double baseline = std::floor(mAscent + 0.5);
    // A strike draws its own glyphs and lines; a glyph it draws beyond this box still grows
    // the measuring surface.
    if (mStrike)
        return *mBounds.insert(text, mStrike->inkBounds(text).translated(0, baseline));
    QRectF box;
    if (text == SoftHyphen) {
        if (const quint32 glyph = softHyphenGlyph())
            box = rawFont().boundingRect(glyph).translated(0, baseline);
    } else if (text.contains(SoftHyphen)) {
        forEachSoftHyphenPart(text, [&](const QString &part, double x) {
            const QRectF ink = textBounds(part);
            if (!ink.isEmpty())
                box |= ink.translated(x, 0);
        });
    } else {
        const bool single = text.size() == 1 && !text.at(0).isSurrogate();
        box = (single ? mMetrics.boundingRect(text.at(0)) : mMetrics.tightBoundingRect(text)).translated(0, baseline);
    }
    // The lines of an underlined or struck-through font, with a pixel to spare each way.
    const double thickness = mMetrics.lineWidth() + 2;
    const double advance = textWidth(text);
    if (mFont.underline())
        box |= QRectF(-1, baseline + mMetrics.underlinePos() - thickness / 2, advance + 2, thickness);
    if (mFont.strikeOut())
        box |= QRectF(-1, baseline - mMetrics.strikeOutPos() - thickness / 2, advance + 2, thickness);
    return *mBounds.insert(text, box);
}

bool RasterSurface::hasGlyph(const QString &character) const
{
    realiseFont();
    if (isLoneSurrogate(character))
        return false;
    if (mStrike)
        return mStrike->hasGlyph(codePointOf(character));
    return rawFont().supportsCharacter(uint(codePointOf(character)));
}

const QRawFont &RasterSurface::rawFont() const
{
    if (!mRawFont.isValid())
        mRawFont = QRawFont::fromFont(mFont);
    return mRawFont;
}

bool RasterSurface::drawsAlikeEverywhere() const
{
    realiseFont();
    return mDrawsAlike;
}

quint32 *RasterSurface::writableScanLine(int y)
{
    Q_ASSERT(y >= 0 && y < mHeight);
    return reinterpret_cast<quint32 *>(mImage.scanLine(y));
}

const quint32 *RasterSurface::scanLine(int y) const
{
    Q_ASSERT(y >= 0 && y < mHeight);
    return reinterpret_cast<const quint32 *>(mImage.constScanLine(y));
}

void RasterSurface::loadPicture(const QString &path)
{
    mPainter.drawImage(QPoint(0, 0), readPictureFile(path));
}

QByteArray RasterSurface::pictureBytes() const
{
    if (mWidth == 0 || mHeight == 0)
        throw Failure::runtime(Failure::InvalidCall, QStringLiteral("a picture of no pixels"));
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QImageWriter writer(&bytes, QByteArrayLiteral("bmp"));
    if (!writer.write(visibleImage()))
        throw Failure::runtime(Failure::InvalidPicture);
    return bytes.data();
}

QImage RasterSurface::image() const
{
    return visibleImage().copy();
}

void RasterSurface::setPixels(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    setSize(rgb.width(), rgb.height());
    for (int y = 0; y < mHeight; ++y)
        std::memcpy(writableScanLine(y), rgb.constScanLine(y), size_t(mWidth) * sizeof(quint32));
}

QImage RasterSurface::visibleImage() const
{
    // Wraps the buffer without copying; valid until the next change of size.
    QImage view(mImage.constBits(), mWidth, mHeight, mImage.bytesPerLine(), QImage::Format_RGB32);
    view.setDotsPerMeterX(DotsPerMeter);
    view.setDotsPerMeterY(DotsPerMeter);
    return view;
}
