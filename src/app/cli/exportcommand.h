#pragma once

#include "documentoptions.h"

#include "fileroles.h"

#include <QString>
#include <QStringList>

#include <memory>

class CommandLine;
class TerminalFeedback;
struct CommandEnvironment;

// export [PROJECT.tsm...]: writes the document as a ZGF font, and its C source when asked,
// through the export the dialog runs. Several projects are exported one after the other in
// one start of the program, each as its own run would, its messages beginning with its name.
class ExportCommand
{
public:
    static void declare(CommandLine &line);
    explicit ExportCommand(const CommandLine &line);
    ~ExportCommand();
    int run(CommandEnvironment &environment);

private:
    struct Prepared;

    // Several projects, exported on as many threads as the machine has cores, their outputs
    // claimed in their order. Their messages are written in their order, each line beginning
    // with the project's name.
    int exportSeveral(CommandEnvironment &environment);
    // The path of an output named after the project: in -d DIR, else beside the project when
    // there are several, else in the working folder.
    QString outputName(const QString &project, const QString &name) const;
    // Loads the project (none: the defaults) and names its outputs.
    std::unique_ptr<Prepared> load(CommandEnvironment &environment, const QString &project) const;
    // Refuses an output that exists (unless --force) or would replace a file; with claimed,
    // also one of an earlier project of the run, and adds its own to them.
    void claim(Prepared &prepared, QList<FileRole> *claimed) const;
    // Names the characters the font lacks, measures, builds and writes the export; true when
    // every output was written. Throws a refusal (--max-bytes).
    bool finish(Prepared &prepared, TerminalFeedback &feedback) const;

    QStringList mProjects;
    DocumentOptions mDocument;
    QString mOutput;
    bool mRaw = false;
    QString mCFile;
    bool mWithC = false;
    bool mSplit = false;
    QString mBitmap;
    QString mMask;
    QString mFolder;
    int mMaxBytes = 0; // 0: no limit
    bool mForce = false;
    QString mDepfile;
    QString mCharsFile;
};
