#include "converter.h"

#include "cnames.h"
#include "csource.h"
#include "feedback.h"
#include "fileerrors.h"
#include "readfully.h"
#include "zgfheader.h"

#include <QFile>

QString derivedVariableName(const QString &path, Feedback &feedback)
{
    if (!IsZgfFile(path, feedback))
        return fileVariableName(path);
    try {
        QFile file;
        openForReading(file, path);
        char header[ZgfHeader::Size];
        if (readFully(file, header, ZgfHeader::Size) < ZgfHeader::Size)
            throw ioFailure(file);
        return zgfVariableName(ZgfHeader::fromBytes(header, ZgfHeader::Size));
    } catch (const Failure &failure) {
        feedback.fail(failure.message());
        return QString();
    }
}

QStringList convertToCSource(const QString &sourcePath, const QString &cPath, const QString &variableName, bool split,
                             Feedback &feedback, QChar groupSeparator, CodePage page, Existing existing)
{
    const QString header = headerFileName(cPath);
    const QString name = typedVariableName(variableName);
    if (IsZgfFile(sourcePath, feedback))
        return ZgfToCSource(sourcePath, header, name, split, feedback, groupSeparator, page, existing);
    return FileToCSource(sourcePath, header, name, split, feedback, groupSeparator, existing);
}
