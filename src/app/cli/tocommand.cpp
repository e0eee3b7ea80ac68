#include "tocommand.h"

#include "cnames.h"
#include "command.h"
#include "commandline.h"
#include "converter.h"
#include "documentoptions.h"
#include "csource.h"
#include "failure.h"
#include "fileerrors.h"
#include "numbers.h"
#include "terminalfeedback.h"

#include <QFile>

void ToCCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("FILE"), QStringLiteral("A ZGF font, or any file."));
    line.addValueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.h"),
                        QStringLiteral("The C header (default: the variable name + .h beside FILE)."));
    line.addValueOption({QStringLiteral("name")}, QStringLiteral("VAR"),
                        QStringLiteral("The variable name (default: derived from the font or the file name)."));
    line.addFlag(QStringLiteral("split"), QStringLiteral("Write a .h and a .c file."));
    declareCodePageOption(line, QStringLiteral("The code page of a font's character codes"));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite existing files."));
}

ToCCommand::ToCCommand(const CommandLine &line)
    : mSource(line.argument(0)),
      mOutput(line.value(QStringLiteral("output"))),
      mName(line.value(QStringLiteral("name"))),
      mSplit(line.isSet(QStringLiteral("split"))),
      mForce(line.isSet(QStringLiteral("force"))),
      mCodePage(codePageOption(line).value_or(CodePage::Windows1252))
{
    if (line.isSet(QStringLiteral("name")) && typedVariableName(mName).isEmpty())
        throw UsageError{QStringLiteral("--name takes a variable name.")};
}

int ToCCommand::run(CommandEnvironment &environment)
{
    QFile source; // fails at once for a missing file, a folder or a device
    openForReading(source, mSource);
    const QString name = mName.isEmpty() ? derivedVariableName(mSource, environment.feedback) : mName;
    if (name.isEmpty())
        return ExitFailure;
    const QString header = headerFileName(mOutput.isEmpty() ? cFileNameBeside(mSource, name) : mOutput);
    refuseOutputs(QList<FileRole>{{QStringLiteral("the file to convert"), mSource, false}}
                      + cSourceOutputs(header, mSplit),
                  mForce);
    reportCSourceWritten(convertToCSource(mSource, header, name, mSplit, environment.feedback, kPortableGroupSeparator,
                                          mCodePage, mForce ? Existing::Replace : Existing::Keep),
                         environment.feedback);
    return exitStatus(true, environment.feedback);
}
