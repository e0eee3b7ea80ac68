#pragma once

#include <QString>

#include <exception>

// A failure of an operation: a number and a description, shown to the person as
// "number: description". Numbers follow the run-time error numbers the program has
// always used, so messages stay recognisable.
struct Failure : std::exception
{
    qint32 number = 0;
    QString description;

    Failure(qint32 failureNumber, QString failureDescription)
        : number(failureNumber), description(std::move(failureDescription))
    {
    }

    // The text shown to the person: number, ": ", description.
    QString message() const;
    const char *what() const noexcept override { return "Failure"; }

    static constexpr qint32 InvalidCall = 5;
    static constexpr qint32 Overflow = 6;
    static constexpr qint32 DivisionByZero = 11;
    static constexpr qint32 FileNotFound = 53;
    static constexpr qint32 DeviceIO = 57;
    static constexpr qint32 FileAlreadyExists = 58;
    static constexpr qint32 DiskFull = 61;
    static constexpr qint32 PermissionDenied = 70;
    static constexpr qint32 PathFileAccess = 75;
    static constexpr qint32 PathNotFound = 76;
    static constexpr qint32 InvalidFileFormat = 321;
    static constexpr qint32 InvalidPicture = 481;

    // The program's own numbers (0x80040001 upwards, as signed 32-bit values).
    static constexpr qint32 InvalidProject = qint32(0x80040001u);
    static constexpr qint32 UnmanagedVersion = qint32(0x80040002u);
    static constexpr qint32 NotSaved = qint32(0x80040003u);

    // The run-time failure with its standard description, optionally naming a file.
    static Failure runtime(qint32 number, const QString &subject = QString());
    // Overflow naming the value and the range it left: "Overflow: 40000 is outside
    // -32768..32767", or what overflowed when the subject is given first.
    static Failure overflow(qint64 value, qint64 minimum, qint64 maximum, const QString &subject = QString());
};

// A failure told in the operation's own words ("Can't create file x: Permission denied"),
// which the windows show under the program's title rather than the window's.
struct OperationFailure : Failure
{
    explicit OperationFailure(const Failure &failure) : Failure(failure) {}
};

// The standard description of a run-time failure number ("Overflow", "File not found"...).
QString failureDescription(qint32 number);
