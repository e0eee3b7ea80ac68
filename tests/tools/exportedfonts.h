#pragma once

#include "postprocessbitmaps.h"
#include "rastersurface.h"
#include "recordingfeedback.h"
#include "texelfont.h"
#include "zgfexport.h"

#include <QDir>
#include <QImage>
#include <QProcess>

// Fonts written by the real export on the real renderer, and pictures drawn by the
// command-line tool, for the viewer and preview tests and their screenshots.

struct ExportedFontSpec
{
    QString family = QStringLiteral("DejaVu Sans");
    float size = 12.0f;
    bool rle = true;
    bool masked = false;
    bool bold = false;
    QString chars; // empty: the default character set
};

// Exports the document described to folder/name; a masked font gets its mask bitmap
// written first, as the person would before exporting. Empty on a failure.
inline QString exportFont(const ExportedFontSpec &wanted, const QDir &folder, const QString &name)
{
    RasterSurface measure;
    RasterSurface work;
    TexelFont font(&measure);
    font.setTTFName(wanted.family);
    font.setSize(wanted.size);
    font.setBold(wanted.bold);
    if (!wanted.chars.isEmpty())
        font.setChars(wanted.chars);
    RecordingFeedback feedback;
    ZgfExportOptions options;
    options.zgfFileName = folder.filePath(name);
    options.rle = wanted.rle;
    if (wanted.masked) {
        font.Masked = true;
        font.MaskWidthInc = 2;
        font.MaskHeightInc = 1;
        PostprocessOptions bitmaps;
        bitmaps.bitmapFileName = folder.filePath(name + QStringLiteral(".bmp"));
        bitmaps.maskFileName = folder.filePath(name + QStringLiteral("_mask.bmp"));
        if (!ExportPostprocessBitmaps(font, work, bitmaps, feedback))
            return QString();
        options.maskFileName = bitmaps.maskFileName;
    }
    return ExportZgfFont(font, work, options, feedback) ? options.zgfFileName : QString();
}

#ifdef TEXELSMITHY_CLI
// Runs texelsmithy-cli with the arguments; its standard error when it fails, else empty.
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

// The picture that "texelsmithy-cli render FONT arguments... -o" writes, as RGB32.
inline QImage cliRender(const QString &font, const QStringList &arguments, const QDir &folder)
{
    static int count = 0;
    const QString out = folder.filePath(QStringLiteral("render%1.png").arg(++count));
    const QString error = runCli(QStringList{QStringLiteral("render"), font, QStringLiteral("-o"), out} + arguments);
    if (!error.isEmpty())
        qWarning("texelsmithy-cli render: %s", qPrintable(error));
    return QImage(out).convertToFormat(QImage::Format_RGB32);
}
#endif
