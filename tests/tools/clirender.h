#pragma once

// Runs texelsmithy-cli (its path in TEXELSMITHY_CLI) for the suites that compare a window's
// pictures with what the command-line tool draws.
#include <QDir>
#include <QImage>
#include <QProcess>

// Its standard error when it fails, else empty.
inline QString runCli(const QStringList &arguments)
{
    QProcess cli;
    cli.start(QStringLiteral(TEXELSMITHY_CLI), arguments);
    if (!cli.waitForFinished(60000))
        return QStringLiteral("texelsmithy-cli did not finish");
    if (cli.exitStatus() != QProcess::NormalExit || cli.exitCode() != 0)
        return QString::fromUtf8(cli.readAllStandardError());
    return QString();
}

// The picture that "texelsmithy-cli render FONT arguments... -o" writes into folder, as RGB32.
inline QImage cliRender(const QString &font, const QStringList &arguments, const QDir &folder)
{
    static int count = 0;
    const QString out = folder.filePath(QStringLiteral("render%1.png").arg(++count));
    const QString error = runCli(QStringList{QStringLiteral("render"), font, QStringLiteral("-o"), out} + arguments);
    if (!error.isEmpty())
        qWarning("texelsmithy-cli render: %s", qPrintable(error));
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}
