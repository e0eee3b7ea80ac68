#pragma once

#include "documentoptions.h"

#include "fileroles.h"

#include <QString>
#include <QStringList>

class CommandLine;
struct CommandEnvironment;

// export [PROJECT.tsm...]: writes the document as a ZGF font, and its C source when asked,
// through the export the dialog runs. Several projects are exported one after the other in
// one start of the program, each as its own run would, its messages beginning with its name.
class ExportCommand
{
public:
    static void declare(CommandLine &line);
    explicit ExportCommand(const CommandLine &line);
    int run(CommandEnvironment &environment);

private:
    // The path of an output named after the project: in -d DIR, else beside the project when
    // there are several, else in the working folder.
    QString outputName(const QString &project, const QString &name) const;
    // Exports one project (none: the defaults); true when every output was written. Its
    // outputs may not replace earlierOutputs, and are added to them.
    bool exportProject(CommandEnvironment &environment, const QString &project,
                       QList<FileRole> *earlierOutputs = nullptr);

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
};
