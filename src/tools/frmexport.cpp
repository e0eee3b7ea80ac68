#include "frmexport.h"

#include "characternotes.h"
#include "postprocessbitmaps.h"
#include "postprocessnames.h"
#include "sizebudgetpanel.h"
#include "zgfexport.h"

#include "browsebutton.h"
#include "choosers.h"
#include "controlarray.h"
#include "dialogservices.h"
#include "failure.h"
#include "icons.h"
#include "numbers.h"
#include "outputfolder.h"
#include "paths.h"
#include "settingsstore.h"
#include "measuredfont.h"
#include "texelfont.h"
#include "widgetfactory.h"
#include "windowhelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Export");
const QString kZGFCFileKey = QStringLiteral("ZGFCFile");
const QString kSplitFilesKey = QStringLiteral("SplitFiles");
const QString kRLEEncodingKey = QStringLiteral("RLEEncoding");
const QString kBitmapFilter = QStringLiteral("Windows bitmap (*.bmp)|*.bmp");
// Characters named in a note before the rest are only counted.
constexpr qsizetype kNamedCharacters = 32;

QLabel *newNote(const QString &name, QWidget *parent)
{
    QLabel *note = newLabel(QString(), parent, name);
    note->setWordWrap(true);
    note->setTextFormat(Qt::PlainText);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note->hide();
    return note;
}

// folder + name without extension + ending, of a path.
QString sibling(const QString &path, const QString &ending)
{
    return GetFolder(path) + GetFileNameNoExt(path) + ending;
}

} // namespace

frmExport::frmExport(DialogServices &services, QWidget *parent)
    : DocumentDialog(parent),
      mServices(services),
      mProgress(newProgressBar(this)),
      mFeedback(services.feedback, mProgress),
      mZGFFont(newButton<QRadioButton>(QStringLiteral("optZGFFont"), QStringLiteral("Generate .ZGF font"), this)),
      mPostprocess(newButton<QRadioButton>(QStringLiteral("optPostprocess"),
                                           QStringLiteral("Generate bitmap(s) for postprocessing"), this)),
      mPostprocessFrame(newFrame(QStringLiteral("fraPostprocess"), this)),
      mBitmapFilename(newField(QStringLiteral("txtBitmapFilename"), mPostprocessFrame)),
      mMaskLabel(newLabel(QStringLiteral("Alpha mask:"), mPostprocessFrame, QStringLiteral("lblMaskFilename"))),
      mMaskFilename(newField(QStringLiteral("txtMaskFilename"), mPostprocessFrame)),
      mNbBitmaps(new QComboBox(mPostprocessFrame)),
      mZGFFrame(newFrame(QStringLiteral("fraZGF"), this)),
      mZGFFilename(newField(QStringLiteral("txtZGFFilename"), mZGFFrame)),
      mRAWFormat(newButton<QRadioButton>(QStringLiteral("optRAWFormat"), QStringLiteral("Do not encode bitmaps (RAW)"),
                                         mZGFFrame)),
      mRLEFormat(
          newButton<QRadioButton>(QStringLiteral("optRLEFormat"), QStringLiteral("Encode bitmaps (RLE)"), mZGFFrame)),
      mZGFCFile(
          newButton<QCheckBox>(QStringLiteral("chkZGFCFile"), QStringLiteral("Generate also C file(s)"), mZGFFrame)),
      mZGFCLabel(newLabel(QStringLiteral("C filename:"), mZGFFrame, QStringLiteral("lblZGFCFilename"))),
      mZGFCFilename(newField(QStringLiteral("txtZGFCFilename"), mZGFFrame)),
      mSplit(newButton<QCheckBox>(QStringLiteral("chkSplit"), QStringLiteral("Split in *.c and *.h files"), mZGFFrame)),
      mBudget(new SizeBudgetPanel(mZGFFrame)),
      mMissingNote(newNote(QStringLiteral("lblMissingGlyphs"), this)),
      mUnencodableNote(newNote(QStringLiteral("lblUnencodable"), this))
{
    setObjectName(QStringLiteral("frmExport"));
    setWindowTitle(QStringLiteral("Export font"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());

    mNbBitmaps->setObjectName(QStringLiteral("cbxNbBitmaps"));
    mNbBitmaps->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});

    for (QLineEdit *field : {mBitmapFilename, mMaskFilename, mZGFFilename, mZGFCFilename})
        field->setMinimumWidth(260);
    // The browse buttons of the four names; the mask must be an existing file: the one the
    // bitmap export wrote and the person edited.
    const struct
    {
        QLineEdit *field;
        QString filter;
        QString suffix;
    } browsed[4] = {
        {mBitmapFilename, kBitmapFilter, QStringLiteral(".bmp")},
        {mMaskFilename, kBitmapFilter, QStringLiteral(".bmp")},
        {mZGFFilename, QStringLiteral("Velmora Font file (*.zgf)|*.zgf"), QStringLiteral(".zgf")},
        {mZGFCFilename, QStringLiteral("C header file (*.h)|*.h"), QStringLiteral(".h")},
    };
    for (int i = 0; i < 4; ++i) {
        mBrowse[i] = newBrowseButton(i, browsed[i].field->parentWidget());
        connect(mBrowse[i], &QToolButton::clicked, this, [this, target = browsed[i], existing = i == 1] {
            browse(target.field, target.filter, target.suffix, existing);
        });
    }

    auto *post = new QGridLayout(mPostprocessFrame);
    post->setColumnStretch(1, 1);
    post->addWidget(
        newLabel(QStringLiteral("Postprocessing bitmaps:"), mPostprocessFrame, QStringLiteral("lblPostFilename")), 0, 0,
        1, 3);
    post->addWidget(newLabel(QStringLiteral("Font:"), mPostprocessFrame), 1, 0);
    post->addWidget(mBitmapFilename, 1, 1);
    post->addWidget(mBrowse[0], 1, 2);
    post->addWidget(mMaskLabel, 2, 0);
    post->addWidget(mMaskFilename, 2, 1);
    post->addWidget(mBrowse[1], 2, 2);
    // The box stands in the gap of the sentence.
    auto *distribute = new QHBoxLayout;
    distribute->addWidget(
        newLabel(QStringLiteral("Distribute characters in"), mPostprocessFrame, QStringLiteral("lblNbBitmaps")));
    distribute->addWidget(mNbBitmaps);
    distribute->addWidget(newLabel(QStringLiteral("different bitmaps"), mPostprocessFrame));
    distribute->addStretch();
    post->addLayout(distribute, 3, 0, 1, 3);

    auto *zgf = new QGridLayout(mZGFFrame);
    zgf->setColumnStretch(1, 1);
    zgf->addWidget(newLabel(QStringLiteral("ZGF filename:"), mZGFFrame), 0, 0);
    zgf->addWidget(mZGFFilename, 0, 1);
    zgf->addWidget(mBrowse[2], 0, 2);
    zgf->addWidget(mRAWFormat, 1, 0, 1, 3);
    zgf->addWidget(mRLEFormat, 2, 0, 1, 3);
    zgf->addWidget(mBudget, 3, 0, 1, 3);
    zgf->addWidget(mZGFCFile, 4, 0, 1, 3);
    zgf->addWidget(mZGFCLabel, 5, 0);
    zgf->addWidget(mZGFCFilename, 5, 1);
    zgf->addWidget(mBrowse[3], 5, 2);
    zgf->addWidget(mSplit, 6, 0, 1, 3);

    QPushButton *exit = newCommand(QStringLiteral("Exit"), 0, this);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton *ok = newCommand(QStringLiteral("Ok"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmExport::runAction);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(mProgress, 1);
    buttons->addSpacing(12);
    buttons->addWidget(ok);
    buttons->addWidget(exit);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(mZGFFont);
    layout->addWidget(mZGFFrame);
    layout->addSpacing(4);
    layout->addWidget(mPostprocess);
    layout->addWidget(mPostprocessFrame);
    layout->addSpacing(4);
    layout->addWidget(mMissingNote);
    layout->addWidget(mUnencodableNote);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(mZGFFont, &QRadioButton::toggled, this, &frmExport::updateFrames);
    connect(mZGFCFile, &QCheckBox::toggled, this, &frmExport::updateCFileControls);
    connect(mBitmapFilename, &QLineEdit::textChanged, this, &frmExport::bitmapNameChanged);
    connect(mZGFFilename, &QLineEdit::textChanged, this, &frmExport::zgfNameChanged);
    for (QLineEdit *field : {mBitmapFilename, mMaskFilename, mZGFFilename, mZGFCFilename})
        field->installEventFilter(this);
    connect(mRLEFormat, &QRadioButton::toggled, mBudget, &SizeBudgetPanel::setRle);
    for (QLineEdit *field : {mBitmapFilename, mMaskFilename})
        connect(field, &QLineEdit::textChanged, mBudget, &SizeBudgetPanel::schedule);

    mZGFCFile->setChecked(mServices.store.getInt(kSection, kZGFCFileKey, 0) != 0);
    mSplit->setChecked(mServices.store.getInt(kSection, kSplitFilesKey, 0) != 0);
    mRLEFormat->setChecked(mServices.store.getBool(kSection, kRLEEncodingKey, true));
    mRAWFormat->setChecked(!mRLEFormat->isChecked());
    mBudget->setRle(mRLEFormat->isChecked());
}

frmExport::~frmExport() = default;

void frmExport::setTexelFont(TexelFont *font)
{
    moFont = font;
    mBudget->setSource(font, [this] { return budgetInput(); });
}

void frmExport::firstActivation()
{
    InitExportDialog();
}

void frmExport::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    // Coming back from the image editor: the edited bitmaps may have changed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && activated() && moFont && moFont->Postprocessed)
        mBudget->schedule();
}

void frmExport::InitExportDialog()
{
    BusyGuard busy(mFeedback);
    if (moFont->Postprocessed) {
        EnableControl(mPostprocessFrame, true);
        if (!moFont->Masked) {
            for (QWidget *control : {static_cast<QWidget *>(mMaskLabel), static_cast<QWidget *>(mMaskFilename),
                                     static_cast<QWidget *>(mBrowse[1])})
                control->setEnabled(false);
            showAsButtonFace(mMaskFilename);
        }
        mBitmapFilename->setText(defaultName(mBitmapFilename));
        mNbBitmaps->setCurrentIndex(0);
    } else {
        EnableControl(mPostprocessFrame, false);
        for (QWidget *control : {static_cast<QWidget *>(mBitmapFilename), static_cast<QWidget *>(mMaskFilename),
                                 static_cast<QWidget *>(mNbBitmaps)})
            showAsButtonFace(control);
        mPostprocess->setEnabled(false);
    }
    mZGFFont->setChecked(true);
    updateFrames();
    mZGFFilename->setFocus();
    mZGFFilename->setText(defaultName(mZGFFilename));
    mZGFCFilename->setText(defaultName(mZGFCFilename));
    showCharacterNotes();
    mBudget->schedule();
}

void frmExport::showCharacterNotes()
{
    QString missing;
    try {
        missing = missingCharacters(*moFont, mPicTemp);
    } catch (const Failure &) {
        // A font the renderer refuses: the export will say why.
    }
    const std::pair<QLabel *, QString> notes[] = {
        {mMissingNote, missingGlyphsNote(missing, moFont->TTFName(), kNamedCharacters)},
        {mUnencodableNote,
         unencodableNote(unencodableCharacters(moFont->Chars(), moFont->CodePage()), moFont->CodePage(),
                         kNamedCharacters)},
    };
    for (const auto &[label, text] : notes) {
        label->setText(text);
        label->setVisible(!text.isEmpty());
    }
}

ZgfBuildInput frmExport::budgetInput() const
{
    const QString folder = outputFolder(*moFont, mServices.store);
    return {mRLEFormat->isChecked(), resolvedOutputName(mBitmapFilename->text(), folder),
            resolvedOutputName(mMaskFilename->text(), folder)};
}

void frmExport::updateFrames()
{
    EnableControl(mZGFFrame, mZGFFont->isChecked());
    updateCFileControls();
}

void frmExport::updateCFileControls()
{
    const bool enabled = mZGFCFile->isChecked() && !mPostprocess->isChecked();
    for (QWidget *control : {static_cast<QWidget *>(mZGFCLabel), static_cast<QWidget *>(mZGFCFilename),
                             static_cast<QWidget *>(mBrowse[3]), static_cast<QWidget *>(mSplit)})
        control->setEnabled(enabled);
}

void frmExport::bitmapNameChanged()
{
    const QString path = mBitmapFilename->text();
    if (moFont && moFont->Masked)
        mMaskFilename->setText(maskFileNameBeside(path));
    mZGFFilename->setText(sibling(path, QStringLiteral(".zgf")));
}

void frmExport::zgfNameChanged()
{
    mZGFCFilename->setText(sibling(mZGFFilename->text(), QStringLiteral(".h")));
}

bool frmExport::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // Another window taking the focus, or a menu, does not leave the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            fieldLeft(static_cast<QLineEdit *>(watched));
    }
    return QDialog::eventFilter(watched, event);
}

void frmExport::fieldLeft(QLineEdit *field)
{
    if (!moFont || !field->text().trimmed().isEmpty())
        return;
    if ((field == mBitmapFilename || field == mMaskFilename) && !moFont->Postprocessed)
        return;
    field->setText(defaultName(field));
}

QString frmExport::defaultName(const QLineEdit *field) const
{
    QString name;
    if (field == mBitmapFilename)
        name = proposedBitmapFileName(*moFont);
    else if (field == mMaskFilename)
        name = proposedMaskFileName(*moFont);
    else if (field == mZGFFilename)
        name = proposedZgfFileName(*moFont);
    else
        name = proposedCFileName(*moFont);
    return resolvedOutputName(name, outputFolder(*moFont, mServices.store));
}

// Names typed without a folder go to the output folder, and the fields show where. Set in
// this order, each field's change rule is overruled by the fields set after it.
void frmExport::resolveNames()
{
    const QString folder = outputFolder(*moFont, mServices.store);
    QLineEdit *const fields[] = {mBitmapFilename, mMaskFilename, mZGFFilename, mZGFCFilename};
    QString resolved[4];
    for (int i = 0; i < 4; ++i)
        resolved[i] = resolvedOutputName(fields[i]->text(), folder);
    for (int i = 0; i < 4; ++i)
        fields[i]->setText(resolved[i]);
}

// The export routines ask before overwriting, so the file dialogs do not.
void frmExport::browse(QLineEdit *field, const QString &filter, const QString &suffix, bool existing)
{
    FileRequest request{filter, suffix, field->text()};
    request.confirmOverwrite = false;
    const QString chosen =
        existing ? mServices.choosers.openFileName(this, request) : mServices.choosers.saveFileName(this, request);
    if (!chosen.isEmpty())
        field->setText(chosen);
}

void frmExport::runAction()
{
    if (!moFont)
        return;
    saveOptions();
    resolveNames();
    if (mPostprocess->isChecked()) {
        exportBitmaps();
        mZGFFont->setChecked(true);
        updateFrames();
        mBudget->schedule();
    } else if (exportZgf()) {
        accept();
    }
}

void frmExport::saveOptions()
{
    try {
        mServices.store.saveInt(kSection, kZGFCFileKey, mZGFCFile->isChecked() ? 1 : 0);
        mServices.store.saveInt(kSection, kSplitFilesKey, mSplit->isChecked() ? 1 : 0);
        mServices.store.saveBool(kSection, kRLEEncodingKey, mRLEFormat->isChecked());
    } catch (const Failure &failure) {
        // The export does not depend on the options being remembered.
        mFeedback.fail(failure.message());
    }
}

void frmExport::exportBitmaps()
{
    PostprocessOptions options;
    options.bitmapFileName = mBitmapFilename->text();
    options.maskFileName = mMaskFilename->text();
    options.count = mNbBitmaps->currentText().toInt();
    if (ExportPostprocessBitmaps(*moFont, mPicTemp, options, mFeedback))
        rememberOutputFolder(mServices.store, options.bitmapFileName);
}

bool frmExport::exportZgf()
{
    ZgfExportOptions options;
    options.zgfFileName = mZGFFilename->text();
    options.rle = mRLEFormat->isChecked();
    options.bitmapFileName = mBitmapFilename->text();
    options.maskFileName = mMaskFilename->text();
    options.cFile = mZGFCFile->isChecked();
    options.cFileName = mZGFCFilename->text();
    options.split = mSplit->isChecked();
    options.groupSeparator = localeGroupSeparator();
    options = completedExportNames(options);
    // The completed names are shown; the C name last, since showing the ZGF name derives
    // one from it and the C source goes to the name the person gave.
    mZGFFilename->setText(options.zgfFileName);
    mZGFCFilename->setText(options.cFileName);
    const bool written = ExportZgfFont(*moFont, mPicTemp, options, mFeedback);
    if (written)
        rememberOutputFolder(mServices.store, options.zgfFileName);
    return written;
}
