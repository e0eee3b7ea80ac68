#include "frmmain.h"

#include "fontpreview.h"
#include "frmabout.h"
#include "frmgettext.h"
#include "choosers.h"
#include "dialogservices.h"
#include "icons.h"
#include "outputfolder.h"
#include "previewfont.h"
#include "sizetext.h"
#include "windowhelpers.h"

#include "failure.h"
#include "feedback.h"
#include "fontfamilies.h"
#include "numbers.h"
#include "paths.h"
#include "settingsstore.h"
#include "texelfont.h"
#include "version.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kForms = QStringLiteral("Forms");
const QString kProjectFilter = QStringLiteral("TexelSmithy font (*.tsm)|*.tsm|All files (*.*)|*.*");
const QString kProjectSuffix = QStringLiteral(".tsm");
// The client area as designed, twips, and the smallest sheet pane.
constexpr int DesignWidth = 7590 / 15;
constexpr int DesignHeight = 5130 / 15;
constexpr qint32 SheetMinimum = 900;
constexpr qint32 SheetDefault = 900;

struct ButtonSpec
{
    const char *key;
    const char *tip;
    bool checkable;
};

} // namespace

frmMain::frmMain(DialogServices &services, QWidget *parent)
    : QMainWindow(parent), mServices(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());

    mPreview = new FontPreview(this);
    setCentralWidget(mPreview);
    createMenus();
    createToolBar();
    // The design width, or the toolbar's when its buttons and boxes would not fit, measured
    // with the style's polish, as it will be shown.
    ensurePolished();
    resize(std::max(DesignWidth, mToolBar->sizeHint().width()),
           DesignHeight + menuBar()->sizeHint().height());

    // Qt shows the leading "[*]" as "*" while the document has unsaved changes.
    setWindowTitle(QStringLiteral("[*]") + QString::fromUtf8(Version::Product)
                   + QStringLiteral(" v%1.%2.%3").arg(Version::Major).arg(Version::Minor).arg(Version::Revision));
    SetFormPosFromRegistry(this, mServices.store);
    moFont = std::make_unique<TexelFont>(&mMeasuringSurface);
    mPreview->setDocument(moFont.get());
    mPreview->setOutputFolder([this] { return outputFolder(*moFont, mServices.store); });

    Resizer &resizer = mPreview->resizer();
    resizer.setFirstPanelMinSize(SheetMinimum);
    resizer.ResizeFirstPanel(mServices.store.getInt(kForms, objectName() + QStringLiteral(".HResizer"), SheetDefault));
}

frmMain::~frmMain()
{
    mPreview->setDocument(nullptr);
}

void frmMain::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    const auto fileItem = [this](int index) { return [this, index] { mnuFile_Click(index); }; };
    addItem(file, QStringLiteral("mnuFileItem0"), QStringLiteral("&New"), fileItem(0));
    addItem(file, QStringLiteral("mnuFileItem1"), QStringLiteral("&Open..."), fileItem(1),
            QKeySequence(Qt::CTRL | Qt::Key_O));
    addItem(file, QStringLiteral("mnuFileItem2"), QStringLiteral("&Save..."), fileItem(2),
            QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, QStringLiteral("mnuFileItem3"), QStringLiteral("Save &as..."), fileItem(3),
            QKeySequence(Qt::CTRL | Qt::Key_A));
    addSeparator(file, QStringLiteral("mnuFileItem4"));
    addItem(file, QStringLiteral("mnuFileItem5"), QStringLiteral("E&xit"), fileItem(5));

    mFontMenu = menuBar()->addMenu(QStringLiteral("Font"));
    mFontMenu->setObjectName(QStringLiteral("mnuFont"));
    const auto fontItem = [this](int index) { return [this, index] { mnuFont_Click(index); }; };
    addItem(mFontMenu, QStringLiteral("mnuFontItem0"), QStringLiteral("&Font..."), fontItem(0));
    QMenu *charset = mFontMenu->addMenu(QStringLiteral("&Charset..."));
    charset->setObjectName(QStringLiteral("mnuFontCSItem"));
    charset->menuAction()->setObjectName(QStringLiteral("mnuFontItem1"));
    const auto charsetItem = [this](int index) { return [this, index] { mnuFontCSItem_Click(index); }; };
    addItem(charset, QStringLiteral("mnuFontCSItem0"), QStringLiteral("&Set..."), charsetItem(0));
    addItem(charset, QStringLiteral("mnuFontCSItem1"), QStringLiteral("&Default"), charsetItem(1));
    addSeparator(mFontMenu, QStringLiteral("mnuFontItem2"));
    for (int index : {3, 4, 5}) {
        static const char *const captions[] = {"&Bold", "&Italic", "&Underline"};
        QAction *style = addItem(mFontMenu, QStringLiteral("mnuFontItem%1").arg(index),
                                 QLatin1String(captions[index - 3]), fontItem(index));
        style->setCheckable(true);
    }
    addSeparator(mFontMenu, QStringLiteral("mnuFontItem6"));
    addItem(mFontMenu, QStringLiteral("mnuFontItem7"), QStringLiteral("&Properties..."), fontItem(7),
            QKeySequence(Qt::Key_F4));
    addItem(mFontMenu, QStringLiteral("mnuFontItem8"), QStringLiteral("P&ostprocessing properties..."),
            fontItem(8), QKeySequence(Qt::Key_F5));
    addSeparator(mFontMenu, QStringLiteral("mnuFontItem9"));
    addItem(mFontMenu, QStringLiteral("mnuFontItem10"), QStringLiteral("&Export..."), fontItem(10),
            QKeySequence(Qt::Key_F6));

    QMenu *sample = menuBar()->addMenu(QStringLiteral("&Sample"));
    sample->setObjectName(QStringLiteral("mnuSample"));
    addItem(sample, QStringLiteral("mnuSampleItem0"), QStringLiteral("Sample text..."),
            [this] { mnuSample_Click(0); });
    QMenu *background = sample->addMenu(QStringLiteral("&Background"));
    background->setObjectName(QStringLiteral("mnuSampleBgItem"));
    background->menuAction()->setObjectName(QStringLiteral("mnuSampleItem1"));
    addItem(background, QStringLiteral("mnuSampleBgItem0"), QStringLiteral("&Set..."),
            [this] { mnuSampleBgItem_Click(0); });
    addItem(background, QStringLiteral("mnuSampleBgItem1"), QStringLiteral("&Clear"),
            [this] { mnuSampleBgItem_Click(1); });
    addSeparator(sample, QStringLiteral("mnuSampleItem2"));
    QAction *asExported = addItem(sample, QStringLiteral("mnuSampleItem3"), QStringLiteral("Preview as &exported"),
                                  [this] { mnuSample_Click(3); });
    asExported->setCheckable(true);
    asExported->setToolTip(QStringLiteral("Draw the sample from the glyph image the export writes, "
                                          "as the GP32 shows it"));

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    addItem(tools, QStringLiteral("mnuToolsItem0"), QStringLiteral("ZGF Font &Extractor..."),
            [this] { mnuTools_Click(0); });
    addItem(tools, QStringLiteral("mnuToolsItem1"), QStringLiteral("ZGF to C &Converter..."),
            [this] { mnuTools_Click(1); });
    addItem(tools, QStringLiteral("mnuToolsItem2"), QStringLiteral("ZGF Font &Viewer..."),
            [this] { mnuTools_Click(2); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, QStringLiteral("mnuHelpItem0"), QStringLiteral("&About..."), [this] { mnuHelp_Click(0); });

    // Entries whose dialogs are hooked in later stay disabled until then.
    for (const char *name : {"mnuFontItem7", "mnuFontItem8", "mnuFontItem10", "mnuToolsItem0", "mnuToolsItem1",
                             "mnuToolsItem2"})
        findChild<QAction *>(QLatin1String(name))->setEnabled(false);
}

QAction *frmMain::addItem(QMenu *menu, const QString &name, const QString &caption,
                          std::function<void()> handler, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, std::move(handler));
    return action;
}

void frmMain::addSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

void frmMain::createToolBar()
{
    mToolBar = addToolBar(QStringLiteral("Toolbar"));
    mToolBar->setObjectName(QStringLiteral("barBar"));
    mToolBar->setMovable(false);
    mToolBar->setFloatable(false);
    mToolBar->setIconSize(QSize(16, 16));
    mToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    mToolBar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    const auto addButtons = [this](std::initializer_list<ButtonSpec> buttons) {
        for (const ButtonSpec &entry : buttons) {
            const QString key = QLatin1String(entry.key);
            QAction *button = mToolBar->addAction(toolbarIcon(key), QLatin1String(entry.tip));
            button->setObjectName(key);
            button->setToolTip(QLatin1String(entry.tip));
            button->setCheckable(entry.checkable);
            mToolBar->widgetForAction(button)->setObjectName(key);
            connect(button, &QAction::triggered, this, [this, key] { barBar_ButtonClick(key); });
            mButtons.insert(key, button);
        }
    };
    addButtons({{"New", "New font", false}, {"Open", "Open font", false}, {"Save", "Save font", false}});
    mToolBar->addSeparator();

    // The font and size boxes sit in a placeholder between Save and Bold.
    auto *placeholder = new QWidget(mToolBar);
    auto *boxes = new QHBoxLayout(placeholder);
    boxes->setContentsMargins(0, 1, 0, 1);
    boxes->setSpacing(7);
    mFonts = new QComboBox(placeholder);
    mFonts->setObjectName(QStringLiteral("cbxFonts"));
    mFonts->setEditable(false);
    mFonts->setFixedWidth(161);
    mFonts->setMaxVisibleItems(20);
    mSize = new QComboBox(placeholder);
    mSize->setObjectName(QStringLiteral("cbxSize"));
    mSize->setEditable(true);
    mSize->setInsertPolicy(QComboBox::NoInsert);
    // Each key is rendered as typed: "1" then "2" is 1 then 12, never a completion to 10.
    mSize->setCompleter(nullptr);
    mSize->setFixedWidth(62);
    for (const char *size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26",
                             "28", "36", "48", "72"})
        mSize->addItem(QLatin1String(size));
    mSize->setCurrentIndex(-1);
    mSize->installEventFilter(this);
    boxes->addWidget(mFonts);
    boxes->addWidget(mSize);
    mToolBar->addWidget(placeholder);
    connect(mFonts, &QComboBox::currentIndexChanged, this, [this] { cbxFonts_Click(); });
    connect(mSize, &QComboBox::editTextChanged, this, &frmMain::cbxSize_Change);
    connect(mSize, &QComboBox::activated, this, &frmMain::cbxSize_Click);
    mToolBar->addSeparator();

    addButtons({{"Bold", "Bold", true}, {"Italic", "Italic", true}, {"Underline", "Underline", true}});
    mToolBar->addSeparator();
    addButtons({{"Font", "Format font", false},
                {"Properties", "Font properties", false},
                {"Postprocessing", "Postprocessing properties", false}});
    mToolBar->addSeparator();
    addButtons({{"Export", "Export font", false}});
    for (const char *key : {"Properties", "Postprocessing", "Export"})
        mButtons.value(QLatin1String(key))->setEnabled(false);
}

void frmMain::setDocumentDialog(DocumentDialog which, DocumentDialogRunner run)
{
    static const char *const items[] = {"mnuFontItem7", "mnuFontItem8", "mnuFontItem10"};
    static const char *const keys[] = {"Properties", "Postprocessing", "Export"};
    const int index = int(which);
    const bool enabled = bool(run);
    mDocumentDialogs[index] = std::move(run);
    findChild<QAction *>(QLatin1String(items[index]))->setEnabled(enabled);
    mButtons.value(QLatin1String(keys[index]))->setEnabled(enabled);
}

void frmMain::setToolDialog(ToolDialog which, ToolDialogRunner run)
{
    const int index = int(which);
    const bool enabled = bool(run);
    mToolDialogs[index] = std::move(run);
    findChild<QAction *>(QStringLiteral("mnuToolsItem%1").arg(index))->setEnabled(enabled);
}

bool frmMain::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        activateOnce();
    else if (event->type() == QEvent::Show && !mActivated)
        // Without a window manager the window may never become active.
        QMetaObject::invokeMethod(this, &frmMain::activateOnce, Qt::QueuedConnection);
    return QMainWindow::event(event);
}

void frmMain::activateOnce()
{
    if (mActivated)
        return;
    mActivated = true;
    FillFontList();
    // The font box only holds installed families; a document font that is missing (the
    // default "Arial" on most Linux systems) gives way to the family drawn in its place.
    if (!selectFontName(moFont->TTFName()))
        selectFontName(matchedFontFamily(moFont->TTFName()));
    mSize->setEditText(sizeText(moFont->Size()));
    markSaved();
}

bool frmMain::selectFontName(const QString &name)
{
    const int index = mFonts->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0)
        return false;
    mFonts->setCurrentIndex(index);
    return true;
}

void frmMain::FillFontList()
{
    mbUpdating = true;
    mFonts->clear();
    mFonts->addItems(installedFontFamilies());
    mFonts->setCurrentIndex(-1);
    mbUpdating = false;
}

void frmMain::DrawFontSheet()
{
    mPreview->DrawFontSheet();
}

void frmMain::DrawSample()
{
    mPreview->DrawSample();
}

void frmMain::UpdateStyleMenus()
{
    findChild<QAction *>(QStringLiteral("mnuFontItem3"))->setChecked(moFont->Bold());
    findChild<QAction *>(QStringLiteral("mnuFontItem4"))->setChecked(moFont->Italic());
    findChild<QAction *>(QStringLiteral("mnuFontItem5"))->setChecked(moFont->Underline());
}

void frmMain::UpdateControls(bool updateName, bool updateSize)
{
    mbUpdating = true;
    if (updateName) {
        // A family that is not installed selects nothing rather than a wrong name.
        if (!selectFontName(moFont->TTFName()))
            mFonts->setCurrentIndex(-1);
    }
    if (updateSize)
        mSize->setEditText(sizeText(moFont->Size()));
    mbUpdating = false;
    mButtons.value(QStringLiteral("Bold"))->setChecked(moFont->Bold());
    mButtons.value(QStringLiteral("Italic"))->setChecked(moFont->Italic());
    mButtons.value(QStringLiteral("Underline"))->setChecked(moFont->Underline());
}

void frmMain::RefreshDerivedNames(bool includeName)
{
    if (includeName && !moFont->CustomName)
        moFont->setName(moFont->familyName());
    if (!moFont->CustomVariableName)
        moFont->setVariableName(moFont->CalculateVariableName());
    if (!moFont->CustomGP32FileName)
        moFont->setGP32FileName(moFont->CalculateGP32FileName());
}

void frmMain::cbxFonts_Click()
{
    if (mbUpdating || mFonts->currentIndex() < 0)
        return;
    try {
        moFont->setTTFName(mFonts->currentText());
        RefreshDerivedNames(true);
        // The document holds what the renderer realises for the new family.
        Surface &rendering = mPreview->sheetSurface();
        rendering.setFont(previewFont(*moFont));
        const SurfaceFont realised = rendering.font();
        moFont->setBold(realised.bold);
        moFont->setItalic(realised.italic);
        moFont->setSize(realised.size);
        moFont->setStrikethrough(realised.strikethrough);
        moFont->setUnderline(realised.underline);
    } catch (const Failure &) {
        return;
    }
    UpdateStyleMenus();
    UpdateControls(false, true);
    DrawFontSheet();
    DrawSample();
    updateModified();
}

bool frmMain::trySize(float size)
{
    Surface &rendering = mPreview->sheetSurface();
    SurfaceFont font = previewFont(*moFont);
    const float oldSize = font.size;
    font.size = size;
    try {
        rendering.setFont(font);
    } catch (const Failure &) {
        return false; // the renderer keeps the font it had
    }
    moFont->setSize(rendering.font().size);
    RefreshDerivedNames(false);
    font.size = oldSize;
    try {
        rendering.setFont(font);
    } catch (const Failure &) {
        // The drawing sets the document's font again.
    }
    DrawFontSheet();
    DrawSample();
    updateModified();
    return true;
}

void frmMain::cbxSize_Change(const QString &text)
{
    if (mbUpdating)
        return;
    bool ok = false;
    const float size = QLocale().toFloat(text.trimmed(), &ok);
    if (ok)
        trySize(size);
}

void frmMain::cbxSize_Click(int index)
{
    if (mbUpdating || index < 0)
        return;
    trySize(float(leadingNumber(mSize->itemText(index))));
}

void frmMain::cbxSize_LostFocus()
{
    mbUpdating = true;
    mSize->setEditText(sizeText(moFont->Size()));
    mbUpdating = false;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mSize && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        cbxSize_LostFocus();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::barBar_ButtonClick(const QString &key)
{
    static const QHash<QString, std::pair<bool, int>> dispatch = {
        {QStringLiteral("New"), {true, 0}},        {QStringLiteral("Open"), {true, 1}},
        {QStringLiteral("Save"), {true, 2}},       {QStringLiteral("Bold"), {false, 3}},
        {QStringLiteral("Italic"), {false, 4}},    {QStringLiteral("Underline"), {false, 5}},
        {QStringLiteral("Font"), {false, 0}},      {QStringLiteral("Properties"), {false, 7}},
        {QStringLiteral("Postprocessing"), {false, 8}}, {QStringLiteral("Export"), {false, 10}},
    };
    const auto it = dispatch.constFind(key);
    if (it == dispatch.constEnd())
        return;
    if (it->first)
        mnuFile_Click(it->second);
    else
        mnuFont_Click(it->second);
}

void frmMain::mnuFile_Click(int index)
{
    switch (index) {
    case 0:
        fileNew();
        break;
    case 1:
        fileOpen();
        break;
    case 2:
        fileSave();
        break;
    case 3:
        fileSaveAs();
        break;
    case 5:
        close();
        break;
    default:
        break;
    }
}

void frmMain::fileNew()
{
    if (!mayDropDocument())
        return;
    moFont = std::make_unique<TexelFont>(&mMeasuringSurface);
    mPreview->setDocument(moFont.get());
    mPreview->clearBackgroundPicture();
    DrawFontSheet();
    DrawSample();
    UpdateStyleMenus();
    UpdateControls(true, true);
    // As at start-up, a default family that is not installed gives way to its stand-in.
    if (mFonts->currentIndex() < 0)
        selectFontName(matchedFontFamily(moFont->TTFName()));
    SetCaptionField(this, QString(), 1);
    markSaved();
}

void frmMain::fileOpen()
{
    if (!mayDropDocument())
        return;
    const QString fileName =
        mServices.choosers.openFileName(this, FileRequest{kProjectFilter, kProjectSuffix, QString()});
    if (!fileName.isEmpty())
        openProject(fileName);
}

bool frmMain::openProject(const QString &fileName)
{
    if (fileName.isEmpty() || !moFont->Load(fileName, mServices.feedback))
        return false;
    if (moFont->Background.isEmpty())
        mPreview->clearBackgroundPicture();
    else
        mPreview->loadBackgroundPicture(moFont->Background);
    DrawFontSheet();
    DrawSample();
    UpdateStyleMenus();
    UpdateControls(true, true);
    SetCaptionField(this, fileName, 1);
    markSaved();
    return true;
}

bool frmMain::fileSave()
{
    if (moFont->Filename().isEmpty())
        return fileSaveAs();
    if (!moFont->Save(mServices.feedback))
        return false;
    markSaved();
    return true;
}

bool frmMain::fileSaveAs()
{
    const QString fileName = mServices.choosers.saveFileName(
        this, FileRequest{kProjectFilter, kProjectSuffix, moFont->VariableName() + kProjectSuffix});
    if (fileName.isEmpty())
        return false;
    const QString previous = moFont->Filename();
    moFont->setFilename(fileName);
    if (!moFont->Save(mServices.feedback)) {
        moFont->setFilename(previous); // a later Save goes where the caption says
        return false;
    }
    SetCaptionField(this, fileName, 1);
    markSaved();
    return true;
}

void frmMain::markSaved()
{
    mSaved = ProjectRecord::fromDocument(*moFont);
    setWindowModified(false);
}

void frmMain::updateModified()
{
    setWindowModified(ProjectRecord::fromDocument(*moFont) != mSaved);
}

bool frmMain::mayDropDocument()
{
    updateModified();
    if (!isWindowModified())
        return true;
    const QString name = moFont->Filename().isEmpty() ? moFont->VariableName() + kProjectSuffix
                                                      : GetFileName(moFont->Filename());
    switch (mServices.choosers.askSaveChanges(this, name)) {
    case UnsavedChanges::Save:
        return fileSave();
    case UnsavedChanges::Discard:
        return true;
    case UnsavedChanges::Cancel:
        break;
    }
    return false;
}

void frmMain::mnuFont_Click(int index)
{
    switch (index) {
    case 0:
        fontDialog();
        break;
    case 3:
    case 4:
    case 5:
        toggleStyle(index);
        break;
    case 7:
        runDocumentDialog(DocumentDialog::Properties);
        break;
    case 8:
        runDocumentDialog(DocumentDialog::PostProperties);
        break;
    case 10:
        runDocumentDialog(DocumentDialog::Export);
        break;
    default:
        break;
    }
    DrawFontSheet();
    DrawSample();
    updateModified();
}

void frmMain::fontDialog()
{
    FontChoice current;
    current.font = previewFont(*moFont);
    current.color = moFont->Color;
    const std::optional<FontChoice> chosen = mServices.choosers.chooseFont(this, current);
    if (!chosen)
        return;
    moFont->setBold(chosen->font.bold);
    moFont->setTTFName(chosen->font.name);
    moFont->setItalic(chosen->font.italic);
    moFont->setSize(chosen->font.size);
    moFont->setStrikethrough(chosen->font.strikethrough);
    moFont->setUnderline(chosen->font.underline);
    moFont->Color = chosen->color;
    RefreshDerivedNames(true);
    UpdateStyleMenus();
    UpdateControls(true, true);
}

void frmMain::toggleStyle(int index)
{
    if (index == 3)
        moFont->setBold(!moFont->Bold());
    else if (index == 4)
        moFont->setItalic(!moFont->Italic());
    else
        moFont->setUnderline(!moFont->Underline());
    RefreshDerivedNames(false);
    UpdateStyleMenus();
    UpdateControls(false, false);
}

void frmMain::runDocumentDialog(DocumentDialog which)
{
    const DocumentDialogRunner &run = mDocumentDialogs[int(which)];
    if (!run)
        return;
    run(this, *moFont);
    if (which == DocumentDialog::PostProperties)
        RefreshDerivedNames(true);
}

void frmMain::mnuFontCSItem_Click(int index)
{
    if (index == 0)
        moFont->setChars(editText(QStringLiteral("Charset"), moFont->Chars()));
    else
        moFont->SetCharsToDefault();
    DrawFontSheet();
    DrawSample();
    updateModified();
}

QString frmMain::editText(const QString &title, const QString &text)
{
    frmGetText dialog(this);
    dialog.setTitle(title);
    dialog.setText(text);
    dialog.exec();
    return dialog.Text();
}

void frmMain::mnuSample_Click(int index)
{
    if (index == 0) {
        moFont->SampleText = editText(QStringLiteral("Sample text"), moFont->SampleText);
    } else if (index == 3) {
        mPreview->setPreviewAsExported(findChild<QAction *>(QStringLiteral("mnuSampleItem3"))->isChecked());
    } else {
        return;
    }
    DrawSample();
    updateModified();
}

void frmMain::mnuSampleBgItem_Click(int index)
{
    if (index == 0) {
        setBackground();
    } else {
        mPreview->clearBackgroundPicture();
        moFont->Background.clear();
    }
    DrawSample();
    updateModified();
}

void frmMain::setBackground()
{
    // The file dialog keeps the filter and name of its last use.
    const QString fileName = mServices.choosers.openFileName(this, FileRequest{});
    if (!fileName.isEmpty() && mPreview->loadBackgroundPicture(fileName))
        moFont->Background = fileName;
}

void frmMain::mnuTools_Click(int index)
{
    if (index >= 0 && index < int(mToolDialogs.size()) && mToolDialogs[index])
        mToolDialogs[index](this);
}

void frmMain::mnuHelp_Click(int index)
{
    if (index != 0)
        return;
    frmAbout about(this);
    about.exec();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (!mUnloaded && !mayDropDocument()) {
        event->ignore();
        return;
    }
    unload();
    QMainWindow::closeEvent(event);
}

void frmMain::unload()
{
    if (mUnloaded)
        return;
    mUnloaded = true;
    try {
        mServices.store.save(kForms, objectName() + QStringLiteral(".HResizer"),
                    QString::number(mPreview->resizer().Position()));
        SaveFormPosToRegistry(this, mServices.store);
    } catch (const Failure &failure) {
        mServices.feedback.fail(failure.message());
    }
}
