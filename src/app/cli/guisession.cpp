#include "guisession.h"

#include "version.h"

#include <cstdio>

GuiSession::GuiSession(const char *programPath) : mArgv{const_cast<char *>(programPath), nullptr}
{
}

GuiSession::~GuiSession() = default;

void GuiSession::start()
{
    if (mApplication)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    // The platform warns about a missing desktop session (no runtime folder, no display
    // server), which a tool that never shows a window does not need.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        });
    mApplication = std::make_unique<QGuiApplication>(mArgc, mArgv);
    qInstallMessageHandler(previous);
    QGuiApplication::setApplicationName(QStringLiteral("texelsmithy-cli"));
    QGuiApplication::setApplicationVersion(QString::fromUtf8(Version::Text));
}
