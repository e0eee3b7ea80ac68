#include "startupfile.h"

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
