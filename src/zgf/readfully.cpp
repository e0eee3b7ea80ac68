#include "readfully.h"

#include "fileerrors.h"

#include <QFileDevice>

qsizetype readFully(QIODevice &device, char *data, qsizetype size)
{
    qsizetype filled = 0;
    while (filled < size) {
        const qint64 got = device.read(data + filled, size - filled);
        if (got < 0) {
            if (const auto *file = qobject_cast<QFileDevice *>(&device))
                throw ioFailure(*file);
            throw Failure::runtime(Failure::DeviceIO);
        }
        if (got == 0)
            break;
        filled += qsizetype(got);
    }
    return filled;
}
