#include "programarguments.h"

#include <QFile>

ProgramArguments programArguments(int argc, const char *const argv[])
{
    ProgramArguments arguments;
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        arguments.texts.append(QFile::decodeName(bytes));
        if (arguments.undecodable.isEmpty() && QFile::encodeName(arguments.texts.last()) != bytes)
            arguments.undecodable = bytes;
    }
    return arguments;
}

QString shownBytes(const QByteArray &bytes)
{
    QString shown;
    for (const char byte : bytes) {
        const uchar u = uchar(byte);
        if (u >= 0x20 && u < 0x7F)
            shown += QLatin1Char(byte);
        else
            shown += QStringLiteral("\\x") + QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return shown;
}
