#include "failure.h"

QString Failure::message() const
{
    return QString::number(number) + QStringLiteral(": ") + description;
}

QString failureDescription(qint32 number)
{
    switch (number) {
    case Failure::InvalidCall: return QStringLiteral("Invalid procedure call or argument");
    case Failure::Overflow: return QStringLiteral("Overflow");
    case Failure::DivisionByZero: return QStringLiteral("Division by zero");
    case Failure::FileNotFound: return QStringLiteral("File not found");
    case Failure::DeviceIO: return QStringLiteral("Device I/O error");
    case Failure::FileAlreadyExists: return QStringLiteral("File already exists");
    case Failure::DiskFull: return QStringLiteral("Disk full");
    case Failure::PermissionDenied: return QStringLiteral("Permission denied");
    case Failure::PathFileAccess: return QStringLiteral("Path/File access error");
    case Failure::PathNotFound: return QStringLiteral("Path not found");
    case Failure::InvalidFileFormat: return QStringLiteral("Invalid file format");
    case Failure::InvalidPicture: return QStringLiteral("Invalid picture");
    default: return QStringLiteral("Application-defined or object-defined error");
    }
}

Failure Failure::runtime(qint32 failureNumber, const QString &subject)
{
    QString text = failureDescription(failureNumber);
    if (!subject.isEmpty())
        text += QStringLiteral(": ") + subject;
    return Failure(failureNumber, text);
}

Failure Failure::overflow(qint64 value, qint64 minimum, qint64 maximum, const QString &subject)
{
    const QString range = QStringLiteral("outside %1..%2").arg(minimum).arg(maximum);
    if (subject.isEmpty())
        return runtime(Overflow, QStringLiteral("%1 is %2").arg(value).arg(range));
    return runtime(Overflow, QStringLiteral("%1 is %2, %3").arg(subject).arg(value).arg(range));
}
