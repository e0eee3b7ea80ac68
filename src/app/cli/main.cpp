// texelsmithy-cli: what the windows produce, from scripts and Makefiles, on the same
// libraries. main() finds the command, which parses its options and calls the routines.

#include "bitmapscommand.h"
#include "command.h"
#include "commandline.h"
#include "exportcommand.h"
#include "extractcommand.h"
#include "failure.h"
#include "fontscommand.h"
#include "guisession.h"
#include "infocommand.h"
#include "newcommand.h"
#include "programarguments.h"
#include "rendercommand.h"
#include "terminalfeedback.h"
#include "textcommand.h"
#include "tocommand.h"
#include "version.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <exception>

namespace {

struct CommandEntry
{
    const char *name;
    const char *syntax;
    const char *summary;
    int minimumArguments;
    int maximumArguments;
    void (*declare)(CommandLine &);
    int (*execute)(const CommandLine &, CommandEnvironment &);
};

template <typename Command>
int execute(const CommandLine &line, CommandEnvironment &environment)
{
    Command command(line);
    return command.run(environment);
}

const CommandEntry kCommands[] = {
    {"export", "[PROJECT.tsm...] [options]", "Write a ZGF font, and its C source with --c.", 0,
     std::numeric_limits<int>::max(), &ExportCommand::declare, &execute<ExportCommand>},
    {"bitmaps", "PROJECT.tsm [options]", "Write the bitmaps of a post-processed project for editing.", 1, 1,
     &BitmapsCommand::declare, &execute<BitmapsCommand>},
    {"new", "-o PROJECT.tsm [options]", "Save a new project with the options given.", 0, 0, &NewCommand::declare,
     &execute<NewCommand>},
    {"info", "[FILE] [--json] [options]", "Describe a project, a ZGF font or the default document.", 0, 1,
     &InfoCommand::declare, &execute<InfoCommand>},
    {"render", "FONT.zgf -o OUT.png [options]", "Draw a ZGF font, or a text in it, as a PNG picture.", 1, 1,
     &RenderCommand::declare, &execute<RenderCommand>},
    {"extract", "FILE [--offset N [-o OUT.zgf] | --all [-d DIR]]", "List the ZGF fonts inside a file, or save them.", 1,
     1, &ExtractCommand::declare, &execute<ExtractCommand>},
    {"to-c", "FILE [-o OUT.h] [--name VAR] [--split]", "Write a ZGF font or any file as C source.", 1, 1,
     &ToCCommand::declare, &execute<ToCCommand>},
    {"text", "[--codepage CP] [--font FONT.zgf] TEXT | -f STRINGS.txt [-o OUT.h]",
     "Print a text as a C string literal in a code page, or a file's texts as defines.", 0, 1, &TextCommand::declare,
     &execute<TextCommand>},
    {"fonts", "", "List the installed font families.", 0, 0, &FontsCommand::declare, &execute<FontsCommand>},
};

QString toolHelp()
{
    QString text = QStringLiteral("Usage: texelsmithy-cli COMMAND [options]\n"
                                  "       texelsmithy-cli --help | --version\n"
                                  "Makes ZGF bitmap fonts for the GP32 from installed fonts.\n\nCommands:\n");
    for (const CommandEntry &entry : kCommands)
        text += QStringLiteral("  %1%2\n")
                    .arg(QString::fromLatin1(entry.name).leftJustified(10), QLatin1String(entry.summary));
    return text + QStringLiteral("\nRun \"texelsmithy-cli COMMAND --help\" for the options of a command.\n");
}

int usageError(const QString &message, const QString &usage)
{
    TerminalFeedback::print(message + QStringLiteral("\n\n") + usage);
    return ExitUsage;
}

int runCommand(const CommandEntry &entry, const QStringList &arguments, CommandEnvironment &environment)
{
    const QString name = QLatin1String(entry.name);
    CommandLine line(name, QLatin1String(entry.syntax), QLatin1String(entry.summary));
    entry.declare(line);
    try {
        line.parse(arguments, entry.minimumArguments, entry.maximumArguments);
        if (line.helpAsked()) {
            writeResult(line.helpText().toUtf8());
            return ExitSuccess;
        }
        return entry.execute(line, environment);
    } catch (const UsageError &error) {
        return usageError(QStringLiteral("texelsmithy-cli %1: %2").arg(name, error.message), line.helpText());
    } catch (const CommandFailure &failure) {
        // An empty message: the routine has reported the failure itself.
        if (!failure.message.isEmpty())
            TerminalFeedback::print(failure.message);
        return ExitFailure;
    } catch (const Failure &failure) {
        TerminalFeedback::print(failure.message());
        return ExitFailure;
    }
}

// Ends the tool without taking Qt down piece by piece: every output is committed and closed
// by now, and the system frees the rest about a millisecond sooner than the destructors. A
// sanitized build ends normally, so that its leak check sees everything freed.
int endTool(int status)
{
#if !defined(__SANITIZE_ADDRESS__)
    std::fflush(nullptr);
    std::_Exit(status);
#endif
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // Past the file size limit a write fails with "File too large" instead of ending the tool.
    std::signal(SIGXFSZ, SIG_IGN);
    const ProgramArguments given = programArguments(argc, argv);
    if (!given.undecodable.isEmpty()) {
        TerminalFeedback::print(QStringLiteral("texelsmithy-cli: the argument %1 is not UTF-8 text. The tool reads "
                                               "names and texts as UTF-8 and would name another file: give the "
                                               "name in UTF-8 (rename the file if need be).")
                                    .arg(shownBytes(given.undecodable)));
        return ExitFailure;
    }
    QStringList arguments = given.texts;

    const QString first = arguments.value(0);
    if (first == QLatin1String("--version")) {
        writeResultLine(QStringLiteral("texelsmithy-cli ") + QLatin1String(Version::Text));
        return ExitSuccess;
    }
    if (first == QLatin1String("--help") || first == QLatin1String("-h") || first == QLatin1String("help")) {
        if (arguments.size() < 2) {
            writeResult(toolHelp().toUtf8());
            return ExitSuccess;
        }
        arguments = {arguments.at(1), QStringLiteral("--help")};
    }
    if (arguments.isEmpty())
        return usageError(QStringLiteral("texelsmithy-cli: no command given."), toolHelp());

    for (const CommandEntry &entry : kCommands) {
        if (arguments.first() == QLatin1String(entry.name)) {
            try {
                TerminalFeedback feedback;
                GuiSession gui(argv[0]);
                CommandEnvironment environment{feedback, gui};
                return endTool(runCommand(entry, arguments.mid(1), environment));
            } catch (const std::exception &error) {
                TerminalFeedback::print(QStringLiteral("texelsmithy-cli: %1").arg(QLatin1String(error.what())));
                return ExitFailure;
            }
        }
    }
    return usageError(QStringLiteral("texelsmithy-cli: unknown command '%1'.").arg(arguments.first()), toolHelp());
}
