#pragma once

#include "codepage.h"
#include "surface.h"
#include "zgfheader.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

// A ZGF font read back from its bytes: the header, the four per-character tables, the
// glyph image as GP32 pixels and, when the font has one, the mask as stored levels.
//
// Reading checks the whole file and throws a Failure (number Failure::InvalidFileFormat, see
// zgfdecoder.h) that says what is wrong: a file shorter than its header or than the length
// it declares, a wrong magic or version, tables that do not fit, a glyph data offset other
// than right after the tables, a mask offset outside the image data, character widths
// that do not add up to the image width, a character whose width plus MaskWidthInc is
// negative (its mask cell would push the later ones out of the mask image), a negative
// mask height, image data that is short, RLE runs that overflow
// a row or data that ends inside one. Fonts with 8-bit pixels (flag bit 0 clear) are
// refused as unsupported. Bytes past the declared length, and past a complete image
// before the mask, are ignored. Memory is bounded by the header's 16-bit width and 8-bit
// height, and RLE data must be long enough for the image before the image is allocated.
class ZgfFont
{
public:
    // Parses a whole ZGF file held in memory.
    static ZgfFont read(const QByteArray &data);
    // Reads the file at path, or the font embedded in it at offset; open and read failures
    // name the file, and so do format failures: "Invalid file format: " + path (and " at
    // offset N" when it is not 0) + " is not a valid ZGF font: " + what is wrong.
    static ZgfFont readFile(const QString &path, qint64 offset = 0);

    const ZgfHeader &header() const { return mHeader; }
    // The bytes the font was read from (shared, not copied), for drawing through zgfdraw.
    const QByteArray &bytes() const { return mBytes; }

    // Per character, in the order of the font.
    int count() const { return int(mCodes.size()); }
    // The code page the codes are read in: a ZGF file does not record it, so the reader
    // says (Windows-1252 unless set).
    ::CodePage codePage() const { return mCodePage; }
    void setCodePage(::CodePage page) { mCodePage = page; }
    // The codes, and the same characters as text in the code page.
    const QByteArray &codes() const { return mCodes; }
    QString characters() const;
    // Cell width in the glyph image (the width table).
    int charWidth(int index) const { return quint8(mWidths.at(index)); }
    // Columns to move before and after the cell (signed; 0 for a font without indent
    // tables).
    int leftIndent(int index) const { return qint8(mLeftIndents.at(index)); }
    int rightIndent(int index) const { return qint8(mRightIndents.at(index)); }
    // First column of the character's cell in the glyph image: the widths before it.
    int cellX(int index) const { return mCellX.at(index); }
    // First column of the character's cell in the mask image (a font with a mask).
    int maskCellX(int index) const { return mCellX.at(index) + index * mHeader.MaskWidthInc; }
    // The first character whose code is the code of c in the code page; -1 when none is.
    int indexOf(QChar c) const;

    // The glyph image, row-major; RLE coded images give pixels with low bit 1.
    int imageWidth() const { return mHeader.BitmapWidth; }
    int imageHeight() const { return mHeader.BitmapHeight; }
    const QList<quint16> &imagePixels() const { return mImage; }
    quint16 pixel16(int x, int y) const { return mImage.at(qsizetype(y) * imageWidth() + x); }
    Color color(int x, int y) const;

    // The mask image (0 x 0 without one): stored levels, 31 where a glyph is opaque.
    bool hasMask() const { return mHeader.hasFlag(ZgfHeader::HasMask); }
    int maskWidth() const { return mMaskWidth; }
    int maskHeight() const { return mMaskHeight; }
    const QList<quint8> &maskLevels() const { return mMask; }
    quint8 maskLevel(int x, int y) const { return mMask.at(qsizetype(y) * mMaskWidth + x); }
    // The level as an 8-bit alpha: 0 transparent, 255 opaque.
    int maskAlpha(int x, int y) const;

private:
    static ZgfFont parse(const QByteArray &data, const QString &source);

    ZgfHeader mHeader;
    QByteArray mBytes;
    QByteArray mCodes;
    ::CodePage mCodePage = ::CodePage::Windows1252;
    QByteArray mWidths;
    QByteArray mLeftIndents;
    QByteArray mRightIndents;
    QList<int> mCellX;
    std::array<qint16, 256> mIndexOfCode{};
    QList<quint16> mImage;
    int mMaskWidth = 0;
    int mMaskHeight = 0;
    QList<quint8> mMask;
};
