#include "startupfile.h"

#include "dialogservices.h"
#include "feedback.h"
#include "frmmain.h"
#include "frmviewer.h"

#include <QFileInfo>

bool openStartupFile(frmMain &window, DialogServices &services, const QString &path, CodePage codePage)
{
    window.activateOnce();
    if (QFileInfo(path).suffix().compare(QLatin1String("zgf"), Qt::CaseInsensitive) != 0)
        return window.openProject(path);
    frmViewer viewer(services, &window);
    viewer.setCodePage(codePage);
    if (!viewer.openFile(path))
        return false;
    viewer.exec();
    return true;
}

bool openStartupArguments(frmMain &window, DialogServices &services, const ProgramArguments &given, const QString &file,
                          CodePage codePage)
{
    if (given.undecodable.isEmpty())
        return openStartupFile(window, services, file, codePage);
    window.activateOnce();
    services.feedback.fail(QStringLiteral("The file %1 cannot be opened: its name is not UTF-8 text, which the program "
                                          "reads, so it would name another file. Give the file a UTF-8 name and open "
                                          "it again.")
                               .arg(shownBytes(given.undecodable)));
    return false;
}
