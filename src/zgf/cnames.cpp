#include "cnames.h"

#include "variablename.h"

#include "cidentifier.h"
#include "paths.h"
#include "spaces.h"
#include "zgfheader.h"

QString zgfVariableName(const ZgfHeader &header)
{
    return composeVariableName({familyWithoutFoundry(header.faceNameText()), header.PointSize,
                                header.hasFlag(ZgfHeader::BoldFlag), header.hasFlag(ZgfHeader::ItalicFlag),
                                header.hasFlag(ZgfHeader::UnderlineFlag), header.hasFlag(ZgfHeader::StrikethroughFlag),
                                header.hasFlag(ZgfHeader::PostprocessedFlag), header.hasFlag(ZgfHeader::HasMask)});
}

QString fileVariableName(const QString &path)
{
    return repairedCIdentifier(GetFileNameNoExt(path));
}

QString cFileNameBeside(const QString &sourcePath, const QString &variableName)
{
    return GetFolder(sourcePath) + variableName + QStringLiteral(".h");
}

QString headerFileName(const QString &cPath)
{
    return GetFolder(cPath) + GetFileNameNoExt(cPath) + QStringLiteral(".h");
}

QString typedVariableName(const QString &text)
{
    return withoutSpaces(text);
}
