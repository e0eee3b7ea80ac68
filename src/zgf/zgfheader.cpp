#include "zgfheader.h"

#include "failure.h"
#include "feedback.h"
#include "fileerrors.h"
#include "windows1252.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

namespace {

constexpr char kMagic[4] = {'Z', 'G', 'F', '\0'};

} // namespace

QByteArray ZgfHeader::toBytes() const
{
    if (FaceName.size() > 32)
        throw Failure::overflow(FaceName.size(), 0, 32, QStringLiteral("the face name's length"));
    QByteArray out(Size, '\0');
    auto *p = reinterpret_cast<uchar *>(out.data());
    std::memcpy(p, kMagic, 4);
    p[4] = Version;
    qToLittleEndian<quint16>(Flags, p + 5);
    p[7] = PointSize;
    std::memcpy(p + 8, FaceName.constData(), size_t(FaceName.size()));
    qToLittleEndian<qint32>(FileLength, p + 40);
    qToLittleEndian<qint32>(GlyphOffset, p + 44);
    qToLittleEndian<qint32>(MaskOffset, p + 48);
    qToLittleEndian<quint16>(TransColor, p + 52);
    qToLittleEndian<quint16>(ShadowColor, p + 54);
    qToLittleEndian<quint16>(BitmapWidth, p + 58);
    p[60] = BitmapHeight;
    p[61] = DefaultWidth;
    p[62] = DefaultHeight;
    p[63] = MaxCharWidth;
    p[64] = MaxCharHeight;
    p[65] = quint8(MaskWidthInc);
    p[66] = quint8(MaskHeightInc);
    p[67] = quint8(ShadowOX);
    p[68] = quint8(ShadowOY);
    p[69] = quint8(ShadowXPos);
    p[70] = quint8(ShadowYPos);
    p[71] = quint8(LineSep);
    p[72] = quint8(CharSep);
    p[73] = Count;
    return out;
}

ZgfHeader ZgfHeader::fromBytes(const char *data, qsizetype size)
{
    if (size < Size)
        throw Failure::runtime(Failure::InvalidCall);
    const auto *p = reinterpret_cast<const uchar *>(data);
    ZgfHeader h;
    h.Version = p[4];
    h.Flags = qFromLittleEndian<quint16>(p + 5);
    h.PointSize = p[7];
    h.FaceName = QByteArray(data + 8, 32);
    h.FileLength = qFromLittleEndian<qint32>(p + 40);
    h.GlyphOffset = qFromLittleEndian<qint32>(p + 44);
    h.MaskOffset = qFromLittleEndian<qint32>(p + 48);
    h.TransColor = qFromLittleEndian<quint16>(p + 52);
    h.ShadowColor = qFromLittleEndian<quint16>(p + 54);
    h.BitmapWidth = qFromLittleEndian<quint16>(p + 58);
    h.BitmapHeight = p[60];
    h.DefaultWidth = p[61];
    h.DefaultHeight = p[62];
    h.MaxCharWidth = p[63];
    h.MaxCharHeight = p[64];
    h.MaskWidthInc = qint8(p[65]);
    h.MaskHeightInc = qint8(p[66]);
    h.ShadowOX = qint8(p[67]);
    h.ShadowOY = qint8(p[68]);
    h.ShadowXPos = qint8(p[69]);
    h.ShadowYPos = qint8(p[70]);
    h.LineSep = qint8(p[71]);
    h.CharSep = qint8(p[72]);
    h.Count = p[73];
    return h;
}

QString ZgfHeader::faceNameText() const
{
    QByteArray name = FaceName;
    name.replace('\0', QByteArray());
    return fromWindows1252(name);
}

int ZgfHeader::maskWidth() const
{
    return hasFlag(HasMask) ? BitmapWidth + Count * MaskWidthInc : 0;
}

int ZgfHeader::maskHeight() const
{
    return hasFlag(HasMask) ? BitmapHeight + MaskHeightInc : 0;
}

quint16 ZgfHeader::formatFlags(bool rle, bool masked)
{
    quint16 flags = Color16 | HasIndents;
    if (rle)
        flags |= RleImage;
    if (masked)
        flags |= rle ? HasMask | RleMask : HasMask;
    return flags;
}

qint32 ZgfHeader::expectedGlyphOffset(quint16 flags, quint8 count)
{
    qint32 offset = Size + 2 * count;
    if ((flags & Color16) == 0)
        offset += 512;
    if ((flags & HasIndents) != 0)
        offset += 2 * count;
    return offset;
}

bool IsValidZgfHeader(const char *header76)
{
    if (std::memcmp(header76, kMagic, 4) != 0 || quint8(header76[4]) != 1)
        return false;
    const auto *p = reinterpret_cast<const uchar *>(header76);
    const quint16 flags = qFromLittleEndian<quint16>(p + 5);
    return qFromLittleEndian<qint32>(p + 44) == ZgfHeader::expectedGlyphOffset(flags, p[73]);
}

bool IsValidZgfHeader(const QByteArray &header)
{
    return header.size() >= ZgfHeader::Size && IsValidZgfHeader(header.constData());
}

bool IsZgfFile(const QString &path, Feedback &feedback)
{
    QFile file;
    try {
        openForReading(file, path);
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return false;
    }
    const QByteArray header = file.read(ZgfHeader::Size);
    if (file.error() != QFileDevice::NoError) {
        feedback.fail(ioFailure(file).message());
        return false;
    }
    return IsValidZgfHeader(header);
}
