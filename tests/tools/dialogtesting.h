#pragma once

// What the suites of the tools' dialogs share: for each test a temporary folder, services
// whose choosers answer from a script, a document, and the dialog under test with its
// controls found by objectName.
#include "filebytes.h"
#include "testservices.h"

#include "documentdialog.h"
#include "postprocessbitmaps.h"
#include "rastersurface.h"
#include "texelfont.h"
#include "zgfexport.h"
#include "zgfheader.h"

#include <QtTest>
#include <QtWidgets>

// The bytes of a font whose header passes the acceptance test, filled up to its stated size
// with a pattern that never holds "ZGF".
inline QByteArray zgfFontBytes(const QByteArray &faceName, quint8 pointSize, qint32 size, quint16 extraFlags = 0)
{
    ZgfHeader header;
    header.Flags = ZgfHeader::formatFlags(false, false) | extraFlags;
    header.PointSize = pointSize;
    header.FaceName = faceName;
    header.Count = 3;
    header.GlyphOffset = ZgfHeader::expectedGlyphOffset(header.Flags, header.Count);
    header.FileLength = size;
    QByteArray bytes = header.toBytes();
    while (bytes.size() < size)
        bytes.append(char(bytes.size() * 7 + 3));
    return bytes;
}

// DejaVu Sans 11 exported as the font zgf; a masked font gets its mask bitmap written first,
// as the person would before exporting. Empty on a failure.
inline QString exportedFont(const QString &zgf, bool rle, bool masked, bool smooth = false)
{
    RasterSurface work;
    TexelFont font;
    font.setTTFName(QStringLiteral("DejaVu Sans"));
    font.setSize(11);
    RecordingFeedback feedback;
    ZgfExportOptions options{.zgfFileName = zgf, .rle = rle};
    if (masked) {
        font.Masked = true;
        font.setSmooth(smooth);
        font.MaskWidthInc = 2;
        font.MaskHeightInc = 1;
        PostprocessOptions bitmaps{.bitmapFileName = zgf + QStringLiteral(".bmp"),
                                   .maskFileName = zgf + QStringLiteral("_mask.bmp")};
        options.maskFileName = bitmaps.maskFileName;
        if (!ExportPostprocessBitmaps(font, work, bitmaps, feedback))
            return QString();
    }
    return ExportZgfFont(font, work, options, feedback) ? zgf : QString();
}

class DialogTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<QTemporaryDir> mFolder;
    std::unique_ptr<TestServices> mServices;
    std::unique_ptr<TexelFont> mFont;
    std::unique_ptr<QDialog> mDialog;

    ScriptedChoosers &choosers() const { return mServices->choosers; }
    RecordingFeedback &feedback() const { return mServices->feedback; }

    // Shows the dialog (a document dialog over mFont) until the next one or the test's end.
    template <class Dialog>
    Dialog *open()
    {
        auto dialog = std::make_unique<Dialog>(mServices->services);
        if constexpr (std::is_base_of_v<DocumentDialog, Dialog>)
            dialog->setTexelFont(mFont.get());
        dialog->show();
        mDialog = std::move(dialog);
        return static_cast<Dialog *>(mDialog.get());
    }
    template <class T = QLineEdit>
    T *control(const QString &name) const
    {
        T *found = mDialog->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    template <class T = QLineEdit>
    T *control(const char *name) const
    {
        return control<T>(QLatin1String(name));
    }
    void click(std::initializer_list<const char *> names) const
    {
        for (const char *name : names)
            control<QAbstractButton>(name)->click();
    }
    // One digit per control: 1 where it is checked, or with enabled, where it is enabled.
    QString states(std::initializer_list<const char *> names, bool enabled = false) const
    {
        QString out;
        for (const char *name : names)
            out += (enabled ? control<QWidget>(name)->isEnabled() : control<QAbstractButton>(name)->isChecked()) ? u'1'
                                                                                                                 : u'0';
        return out;
    }
    // Runs action; look is handed each modal window it shows (other than the dialog) and
    // should close it.
    void whileModal(const std::function<void()> &action, const std::function<void(QWidget *)> &look)
    {
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != mDialog.get())
                look(modal);
        });
        poll.start(10);
        action();
    }
    QPushButton *command(int index) const { return control<QPushButton>(QStringLiteral("cmdCommands_%1").arg(index)); }
    QString path(const QString &name) const { return mFolder->filePath(name); }
    QString file(const QString &name, const QByteArray &bytes) const { return writeFile(path(name), bytes); }
    // Clicks browse button index; its open (index 0) or save dialog answers chosen, or is
    // cancelled for a null string.
    void browse(int index, const QString &chosen = QString())
    {
        if (!chosen.isNull())
            (index == 0 ? choosers().openNames : choosers().saveNames).append(chosen);
        control<QToolButton>(QStringLiteral("picBrowse_%1").arg(index))->click();
    }

protected slots:
    void init()
    {
        mFolder = std::make_unique<QTemporaryDir>();
        mServices = std::make_unique<TestServices>(path(QStringLiteral("store.ini")));
        mFont = std::make_unique<TexelFont>();
    }
    void cleanup()
    {
        mDialog.reset();
        QCOMPARE(feedback().busyDepth, 0);
    }
};
