#include "cnames.h"

#include "ctext.h"
#include "paths.h"
#include "zgfheader.h"

QString zgfVariableName(const ZgfHeader &header)
{
    QString name = header.faceNameText().remove(QLatin1Char(' '));
    if (name == name.toUpper())
        name = name.toLower();
    if (!name.isEmpty())
        name[0] = name.at(0).toLower();
    name += QString::number(header.PointSize);
    const struct
    {
        quint16 flag;
        char letter;
    } styles[] = {{ZgfHeader::BoldFlag, 'b'},
                  {ZgfHeader::ItalicFlag, 'i'},
                  {ZgfHeader::UnderlineFlag, 'u'},
                  {ZgfHeader::StrikethroughFlag, 's'}};
    for (const auto &style : styles) {
        if (header.hasFlag(style.flag))
            name += QLatin1Char(style.letter);
    }
    if (header.hasFlag(ZgfHeader::PostprocessedFlag)) {
        name += QStringLiteral("_p");
        if (header.hasFlag(ZgfHeader::HasMask))
            name += QLatin1Char('m');
    }
    return repairedCIdentifier(name);
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
    return QString(text).remove(QLatin1Char(' '));
}
