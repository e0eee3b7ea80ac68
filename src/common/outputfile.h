#pragma once

#include "failure.h"

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// Output files written whole or not at all, and never over a file nobody agreed to replace.
//
// The bytes go to a temporary file in the target's folder; commit() then gives it the
// target's name. A new output (Existing::Keep) is linked to its name without replacing
// anything, so a file that appeared there since the caller's check (another run writing the
// same output) stays as it is and the commit fails with 58 "File already exists". An output
// that may replace (Existing::Replace: the person agreed, or --force) is renamed over the old
// file, keeping that file's permissions (a read-only file is not replaced); a symbolic link
// keeps pointing where it did and its target is replaced. Until commit() nothing at the target changes; a failure or destruction
// removes the temporary file.
//
// Failures name the target and what the system said, numbered like the program's run-time
// errors: "61: Disk full: /out/a.zgf", "75: File name too long: /out/aaa...zgf",
// "70: Permission denied: /ro/a.zgf", "76: Path not found: /missing/a.zgf".

// What a commit does to a file that already has the output's name.
enum class Existing { Keep, Replace };

class OutputFile
{
public:
    OutputFile(const QString &path, Existing existing);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Creates the temporary file. Throws the failure; given the operation's text ("Can't
    // create file x"), that text and the reason: "70: Can't create file x: Permission denied".
    void open(const QString &text = QString());
    // The open temporary file for writers that stream (pictures, C arrays); its file name is
    // the target's, so failures of writeAll and ioFailure name the target.
    QFileDevice &device() { return mDevice; }
    // Writes all of the bytes; throws a failure naming the target.
    void write(const QByteArray &bytes);
    // Flushes and syncs what was written, so a full disk shows before any output is named;
    // commit() does it when it was not done. Throws a failure naming the target.
    void finish();
    // Gives the finished file its name (see Existing); throws a failure naming the target,
    // leaving the target as it was.
    void commit();
    // Whether commit() has given the file its name.
    bool committed() const { return mCommitted; }

    const QString &path() const { return mPath; }

private:
    // The temporary file under the target's name, for the messages of failed writes.
    class Device : public QFile
    {
    public:
        QString target;
        QString fileName() const override { return target; }
    };

    void discard();

    QString mPath;
    Existing mExisting;
    QByteArray mTarget; // the names on the disk
    QByteArray mTemporary;
    int mDescriptor = -1;
    Device mDevice;
    bool mFinished = false;
    bool mCommitted = false;
};

// Finishes all the files, then commits them in order. When a commit fails, the failure also
// names the outputs of the list already committed: "... (already written: a.c)".
void commitInOrder(const QList<OutputFile *> &files);

// The failure, naming the outputs written before it: "... (already written: a.c, b.h)";
// as it is when there are none.
Failure afterWritten(const Failure &failure, const QStringList &written);

// An output built in memory, for writeOutputs.
struct Output
{
    QString path;
    QByteArray bytes;
    Existing existing = Existing::Keep;
    // The operation's own text for a file that cannot be created ("Can't create file x"),
    // or nothing for the plain failure.
    QString createText = QString();
};

// Writes every output to its temporary file first (a file that cannot be created throws an
// OperationFailure with the output's createText) and reads it back (verifyWritten), so a
// full disk, a refused folder or a faulty device fails before any target changes, then
// commits them in their order (commitInOrder). Returns the full paths written.
QStringList writeOutputs(const QList<Output> &outputs);

// Reads the written, not yet committed file back from the disk; throws 57 naming the first
// byte that differs from what was meant.
void verifyWritten(QFileDevice &file, const QByteArray &meant);
