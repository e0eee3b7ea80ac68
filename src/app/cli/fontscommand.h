#pragma once

class CommandLine;
struct CommandEnvironment;

// fonts: the installed families, one a line, as the main window's font box lists them.
class FontsCommand
{
public:
    static void declare(CommandLine &line);
    explicit FontsCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);
};
