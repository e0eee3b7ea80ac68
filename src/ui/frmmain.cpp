#include "frmmain.h"

#include "fontpreview.h"
#include "frmabout.h"
#include "frmgettext.h"
#include "choosers.h"
#include "dialogservices.h"
#include "elidingcombobox.h"
#include "icons.h"
#include "outputfolder.h"
#include "sizetext.h"
#include "windowhelpers.h"
#include "zoomcontrol.h"

#include "failure.h"
#include "feedback.h"
#include "fontchoice.h"
#include "fontfamilies.h"
#include "fontfiles.h"
#include "numbers.h"
#include "paths.h"
#include "settingsstore.h"
#include "texelfont.h"
#include "version.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kForms = QStringLiteral("Forms");
const QString kProjectFilter = QStringLiteral("TexelSmithy font (*.tsm)|*.tsm|All files (*.*)|*.*");
const QString kProjectSuffix = QStringLiteral(".tsm");
const QString kFontFileFilter =
    QStringLiteral("Font files (*.ttf;*.otf;*.ttc;*.otc;*.bdf;*.pcf;*.pcf.gz;*.otb)|"
                   "*.ttf;*.otf;*.ttc;*.otc;*.bdf;*.pcf;*.pcf.gz;*.otb|All files (*.*)|*.*");
// Font box entries of font files hold the file's path and the family here.
constexpr int FontFileRole = Qt::UserRole;
constexpr int FontFamilyRole = Qt::UserRole + 1;
const QStringList kSizes{QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"),
                         QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
                         QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
                         QStringLiteral("28"), QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72")};

// The client area as designed, twips, and the smallest sheet pane.
constexpr int DesignWidth = 7590 / 15;
constexpr int DesignHeight = 5130 / 15;
constexpr qint32 SheetMinimum = 900;
constexpr qint32 SheetDefault = 900;
const QString kZoomKey = QStringLiteral(".Zoom");

} // namespace

frmMain::frmMain(DialogServices &services, QWidget *parent)
    : QMainWindow(parent), mServices(services), mRecent(services.store)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(programIcon());

    mPreview = new FontPreview(this);
    setCentralWidget(mPreview);
    createMenus();
    createToolBar();
    moFont = std::make_unique<TexelFont>();
    mPreview->setDocument(moFont.get());
    mPreview->setOutputFolder([this] { return outputFolder(*moFont, mServices.store); });
    resize(firstSize());

    // Qt shows the leading "[*]" as "*" while the document has unsaved changes.
    setWindowTitle(QStringLiteral("[*]") + QString::fromUtf8(Version::Product)
                   + QStringLiteral(" v%1.%2.%3").arg(Version::Major).arg(Version::Minor).arg(Version::Revision));
    SetFormPosFromRegistry(this, mServices.store);

    Resizer &resizer = mPreview->resizer();
    resizer.setFirstPanelMinSize(SheetMinimum);
    resizer.ResizeFirstPanel(mServices.store.getInt(kForms, objectName() + QStringLiteral(".HResizer"), SheetDefault));
    mPreview->zoomControl()->setZoom(mServices.store.getInt(kForms, objectName() + kZoomKey, 1));
}

QSize frmMain::firstSize()
{
    // The design size, wide enough for the toolbar (measured with the style's polish, as it
    // will be shown) and for the new document's whole sheet, within the screen.
    ensurePolished();
    mPreview->DrawFontSheet();
    const QSize wanted(std::max({DesignWidth, mToolBar->sizeHint().width(), mPreview->wholeSheetWidth()}),
                       DesignHeight + menuBar()->sizeHint().height());
    const QScreen *shownOn = screen();
    return shownOn ? wanted.boundedTo(shownOn->availableGeometry().size()) : wanted;
}

frmMain::~frmMain()
{
    // Closing hides the window, and the size box, losing the focus, reports the size typed
    // into it as chosen when it is one of its items: never to a window half gone.
    mSize->disconnect(this);
    mFonts->disconnect(this);
    mPreview->setDocument(nullptr);
}

template <class Slot>
QAction *frmMain::addItem(QMenu *menu, const char *name, const QString &caption, Slot slot,
                          const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QMenu *frmMain::addSubmenu(QMenu *menu, const char *name, const char *itemName, const QString &caption)
{
    QMenu *submenu = menu->addMenu(caption);
    submenu->setObjectName(QLatin1String(name));
    submenu->menuAction()->setObjectName(QLatin1String(itemName));
    return submenu;
}

void frmMain::addSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

void frmMain::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    addItem(file, "mnuFileItem0", QStringLiteral("&New"), &frmMain::fileNew);
    addItem(file, "mnuFileItem1", QStringLiteral("&Open..."), &frmMain::fileOpen, QKeySequence(Qt::CTRL | Qt::Key_O));
    addItem(file, "mnuFileItem2", QStringLiteral("&Save..."), &frmMain::fileSave, QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(file, "mnuFileItem3", QStringLiteral("Save &as..."), &frmMain::fileSaveAs,
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mRecentMenu = addSubmenu(file, "mnuFileRecent", "mnuFileItemRecent", QStringLiteral("&Recent projects"));
    mRecentMenu->setToolTipsVisible(true);
    refreshRecentMenu();
    addSeparator(file, "mnuFileItem4");
    addItem(file, "mnuFileItem5", QStringLiteral("E&xit"), &frmMain::close);

    mFontMenu = menuBar()->addMenu(QStringLiteral("Font"));
    mFontMenu->setObjectName(QStringLiteral("mnuFont"));
    addItem(mFontMenu, "mnuFontItem0", QStringLiteral("&Font..."), &frmMain::formatFont);
    addItem(mFontMenu, "mnuFontFile", QStringLiteral("Open font fi&le..."), &frmMain::openFontFile);
    QMenu *charset = addSubmenu(mFontMenu, "mnuFontCSItem", "mnuFontItem1", QStringLiteral("&Charset..."));
    addItem(charset, "mnuFontCSItem0", QStringLiteral("&Set..."), &frmMain::editCharset);
    addItem(charset, "mnuFontCSItem1", QStringLiteral("&Default"), &frmMain::defaultCharset);
    addSeparator(mFontMenu, "mnuFontItem2");
    addItem(mFontMenu, "mnuFontItem3", QStringLiteral("&Bold"), &frmMain::toggleBold)->setCheckable(true);
    addItem(mFontMenu, "mnuFontItem4", QStringLiteral("&Italic"), &frmMain::toggleItalic)->setCheckable(true);
    addItem(mFontMenu, "mnuFontItem5", QStringLiteral("&Underline"), &frmMain::toggleUnderline)->setCheckable(true);
    addSeparator(mFontMenu, "mnuFontItem6");
    addItem(mFontMenu, "mnuFontItem7", QStringLiteral("&Properties..."), &frmMain::fontProperties,
            QKeySequence(Qt::Key_F4));
    addItem(mFontMenu, "mnuFontItem8", QStringLiteral("P&ostprocessing properties..."),
            &frmMain::postprocessingProperties, QKeySequence(Qt::Key_F5));
    addSeparator(mFontMenu, "mnuFontItem9");
    addItem(mFontMenu, "mnuFontItem10", QStringLiteral("&Export..."), &frmMain::exportFont, QKeySequence(Qt::Key_F6));

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    mPreview->zoomControl()->addToMenu(view);

    QMenu *sample = menuBar()->addMenu(QStringLiteral("&Sample"));
    sample->setObjectName(QStringLiteral("mnuSample"));
    addItem(sample, "mnuSampleItem0", QStringLiteral("Sample text..."), &frmMain::editSampleText);
    QMenu *background = addSubmenu(sample, "mnuSampleBgItem", "mnuSampleItem1", QStringLiteral("&Background"));
    addItem(background, "mnuSampleBgItem0", QStringLiteral("&Set..."), &frmMain::setBackground);
    addItem(background, "mnuSampleBgItem1", QStringLiteral("&Clear"), &frmMain::clearBackground);
    addSeparator(sample, "mnuSampleItem2");
    QAction *asExported =
        addItem(sample, "mnuSampleItem3", QStringLiteral("Preview as &exported"), &frmMain::previewAsExported);
    asExported->setCheckable(true);
    asExported->setToolTip(QStringLiteral("Draw the sample from the glyph image the export writes, "
                                          "as the GP32 shows it"));

    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    addItem(tools, "mnuToolsItem0", QStringLiteral("ZGF Font &Extractor..."), &frmMain::showExtractor);
    addItem(tools, "mnuToolsItem1", QStringLiteral("ZGF to C &Converter..."), &frmMain::showConverter);
    addItem(tools, "mnuToolsItem2", QStringLiteral("ZGF Font &Viewer..."), &frmMain::showViewer);
    addSeparator(tools, "mnuToolsItem3");
    addItem(tools, "mnuToolsItem4", QStringLiteral("Edit &glyphs..."), &frmMain::editGlyphs)
        ->setToolTip(QStringLiteral("Touch up the glyph images of a post-processed font"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    addItem(help, "mnuHelpItem0", QStringLiteral("&About..."), &frmMain::about);

    // Entries whose dialogs are hooked in later stay disabled until then.
    for (const char *name : {"mnuFontItem7", "mnuFontItem8", "mnuFontItem10", "mnuToolsItem0", "mnuToolsItem1",
                             "mnuToolsItem2", "mnuToolsItem4"})
        findChild<QAction *>(QLatin1String(name))->setEnabled(false);
}

template <class Slot>
void frmMain::addButton(const char *key, const char *tip, Slot slot, bool checkable)
{
    const QString name = QLatin1String(key);
    QAction *button = mToolBar->addAction(toolbarIcon(name), QLatin1String(tip));
    button->setObjectName(name);
    button->setToolTip(QLatin1String(tip));
    button->setCheckable(checkable);
    mToolBar->widgetForAction(button)->setObjectName(name);
    connect(button, &QAction::triggered, this, slot);
    mButtons.insert(name, button);
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

    addButton("New", "New font", &frmMain::fileNew);
    addButton("Open", "Open font", &frmMain::fileOpen);
    addButton("Save", "Save font", &frmMain::fileSave);
    mToolBar->addSeparator();

    // The font and size boxes sit in a placeholder between Save and Bold.
    auto *placeholder = new QWidget(mToolBar);
    auto *boxes = new QHBoxLayout(placeholder);
    boxes->setContentsMargins(0, 1, 0, 1);
    boxes->setSpacing(7);
    mFonts = new ElidingComboBox(placeholder);
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
    mSize->addItems(kSizes);
    mSize->setCurrentIndex(-1);
    mSize->installEventFilter(this);
    boxes->addWidget(mFonts);
    boxes->addWidget(mSize);
    mToolBar->addWidget(placeholder);
    connect(mFonts, &QComboBox::currentIndexChanged, this, &frmMain::fontFamilyChosen);
    connect(mSize, &QComboBox::editTextChanged, this, &frmMain::sizeEdited);
    connect(mSize, &QComboBox::activated, this, &frmMain::sizeChosen);
    mToolBar->addSeparator();

    addButton("Bold", "Bold", &frmMain::toggleBold, true);
    addButton("Italic", "Italic", &frmMain::toggleItalic, true);
    addButton("Underline", "Underline", &frmMain::toggleUnderline, true);
    mToolBar->addSeparator();
    addButton("Font", "Format font", &frmMain::formatFont);
    addButton("Properties", "Font properties", &frmMain::fontProperties);
    addButton("Postprocessing", "Postprocessing properties", &frmMain::postprocessingProperties);
    mToolBar->addSeparator();
    addButton("Export", "Export font", &frmMain::exportFont);
    for (const char *key : {"Properties", "Postprocessing", "Export"})
        mButtons.value(QLatin1String(key))->setEnabled(false);
}

void frmMain::setDocumentDialog(DocumentDialog which, DocumentDialogRunner run)
{
    static const char *const items[] = {"mnuFontItem7", "mnuFontItem8", "mnuFontItem10", "mnuToolsItem4"};
    static const char *const keys[] = {"Properties", "Postprocessing", "Export", nullptr};
    const int index = int(which);
    const bool enabled = bool(run);
    mDocumentDialogs[index] = std::move(run);
    findChild<QAction *>(QLatin1String(items[index]))->setEnabled(enabled);
    if (keys[index])
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
    if (!selectDocumentFont())
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

bool frmMain::selectDocumentFont()
{
    const QString file = moFont->FontFile();
    if (file.isEmpty())
        return selectFontName(moFont->TTFName());
    const auto entry = [&](const QString &family) {
        for (int i = 0; i < mFonts->count(); ++i) {
            if (mFonts->itemData(i, FontFileRole).toString() == file
                && mFonts->itemData(i, FontFamilyRole).toString() == family)
                return i;
        }
        return -1;
    };
    if (entry(moFont->TTFName()) < 0) {
        // Marked as coming from a file, at the top of the box; a file that cannot be read
        // still shows the family the project names.
        QStringList families = fontFileFaces(file).families;
        if (!families.contains(moFont->TTFName()))
            families = {moFont->TTFName()};
        for (qsizetype i = families.size() - 1; i >= 0; --i) {
            if (entry(families[i]) >= 0)
                continue;
            mFonts->insertItem(0, TexelFont::fontLabel(families[i], file));
            mFonts->setItemData(0, file, FontFileRole);
            mFonts->setItemData(0, families[i], FontFamilyRole);
            mFonts->setItemData(0, QDir::toNativeSeparators(file), Qt::ToolTipRole);
        }
    }
    mFonts->setCurrentIndex(entry(moFont->TTFName()));
    return true;
}

void frmMain::fillSizeList()
{
    QStringList sizes = kSizes;
    if (!moFont->FontFile().isEmpty()) {
        const FontFileFace *face =
            fontFileFaces(moFont->FontFile()).face(moFont->TTFName(), moFont->Bold(), moFont->Italic());
        if (face && !face->scalable) {
            sizes.clear();
            for (const int pixels : face->pixelSizes)
                sizes.append(sizeText(pointsOfPixels(pixels)));
        }
    }
    QStringList listed;
    for (int i = 0; i < mSize->count(); ++i)
        listed.append(mSize->itemText(i));
    if (listed == sizes)
        return;
    const bool updating = mbUpdating;
    mbUpdating = true;
    const QString text = mSize->currentText();
    mSize->clear();
    mSize->addItems(sizes);
    mSize->setCurrentIndex(-1);
    mSize->setEditText(text);
    mbUpdating = updating;
}

void frmMain::noteFixedSizes(float requested)
{
    if (moFont->FontFile().isEmpty())
        return;
    if (const QString note = fixedSizesNote(moFont->FontFile(), moFont->TTFName(), requested); !note.isEmpty())
        mServices.feedback.inform(note);
}

void frmMain::noteSynthesisedStyle()
{
    if (moFont->FontFile().isEmpty())
        return;
    const QString note = synthesisedStyleNote(moFont->FontFile(), moFont->TTFName(), moFont->Bold(), moFont->Italic());
    if (!note.isEmpty())
        mServices.feedback.inform(note);
}

void frmMain::openFontFile()
{
    const QString path = mServices.choosers.openFileName(this, FileRequest{kFontFileFilter, QString(), QString()});
    if (path.isEmpty())
        return;
    const QStringList families = fontFileFaces(path).families;
    if (families.isEmpty()) {
        mServices.feedback.fail(unreadableFontFileMessage(path));
        return;
    }
    // Every family of a collection gets an entry; the first is chosen.
    moFont->setFontFile(QFileInfo(path).absoluteFilePath());
    moFont->setTTFName(families.first());
    mbUpdating = true;
    selectDocumentFont();
    mbUpdating = false;
    fontFamilyChosen();
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
        if (!selectDocumentFont())
            mFonts->setCurrentIndex(-1);
    }
    fillSizeList();
    if (updateSize)
        mSize->setEditText(sizeText(moFont->Size()));
    mbUpdating = false;
    mButtons.value(QStringLiteral("Bold"))->setChecked(moFont->Bold());
    mButtons.value(QStringLiteral("Italic"))->setChecked(moFont->Italic());
    mButtons.value(QStringLiteral("Underline"))->setChecked(moFont->Underline());
}

void frmMain::RefreshDerivedNames(bool includeName)
{
    refreshDerivedNames(*moFont, includeName);
}

void frmMain::fontFamilyChosen()
{
    if (mbUpdating || mFonts->currentIndex() < 0)
        return;
    const QString file = mFonts->currentData(FontFileRole).toString();
    const float requested = moFont->Size();
    FontSelection choice;
    choice.fontFile = file;
    choice.family = file.isEmpty() ? mFonts->currentText() : mFonts->currentData(FontFamilyRole).toString();
    if (!file.isEmpty()) {
        // A font file's face shows its own weight and slant.
        choice.bold = false;
        choice.italic = false;
    }
    try {
        applyFontChoice(*moFont, choice, mPreview->sheetSurface());
    } catch (const Failure &) {
        return;
    }
    UpdateStyleMenus();
    UpdateControls(false, true);
    DrawFontSheet();
    DrawSample();
    updateModified();
    noteFixedSizes(requested);
}

bool frmMain::trySize(float size)
{
    FontSelection choice;
    choice.size = size;
    try {
        applyFontChoice(*moFont, choice, mPreview->sheetSurface());
    } catch (const Failure &) {
        return false; // the document keeps its size
    }
    DrawFontSheet();
    DrawSample();
    updateModified();
    noteFixedSizes(size);
    return true;
}

void frmMain::sizeEdited(const QString &text)
{
    if (mbUpdating)
        return;
    bool ok = false;
    const float size = QLocale().toFloat(text.trimmed(), &ok);
    if (ok)
        trySize(size);
}

void frmMain::sizeChosen(int index)
{
    if (mbUpdating || index < 0)
        return;
    trySize(float(leadingNumber(mSize->itemText(index))));
}

void frmMain::sizeBoxLeft()
{
    mbUpdating = true;
    mSize->setEditText(sizeText(moFont->Size()));
    mbUpdating = false;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mSize && event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
        sizeBoxLeft();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::fileNew()
{
    if (!mayDropDocument())
        return;
    moFont = std::make_unique<TexelFont>();
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
    if (fileName.isEmpty() || !moFont->Load(fileName, mServices.feedback, &mMeasuringSurface))
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
    mSaved = moFont->projectBytes();
    setWindowModified(false);
    if (!moFont->Filename().isEmpty()) {
        mRecent.add(moFont->Filename());
        refreshRecentMenu();
    }
}

void frmMain::updateModified()
{
    // A document that Save would refuse is changed from what was saved.
    bool modified = true;
    try {
        modified = moFont->projectBytes() != mSaved;
    } catch (const Failure &) {
    }
    setWindowModified(modified);
}

bool frmMain::mayDropDocument()
{
    updateModified();
    if (!isWindowModified())
        return true;
    const QString name =
        moFont->Filename().isEmpty() ? moFont->VariableName() + kProjectSuffix : GetFileName(moFont->Filename());
    switch (mServices.choosers.askSaveChanges(this, name)) {
    case UnsavedChanges::Save: return fileSave();
    case UnsavedChanges::Discard: return true;
    case UnsavedChanges::Cancel: break;
    }
    return false;
}

void frmMain::refreshRecentMenu()
{
    // Deleted later: the entry that was chosen may be the one emitting.
    for (QAction *entry : mRecentMenu->actions()) {
        mRecentMenu->removeAction(entry);
        entry->deleteLater();
    }
    const QStringList &files = mRecent.files();
    const QString home = QDir::toNativeSeparators(QDir::homePath()) + QDir::separator();
    const QFontMetrics metrics = mRecentMenu->fontMetrics();
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString file = files.at(i);
        QString shown = QDir::toNativeSeparators(file);
        if (shown.startsWith(home))
            shown.replace(0, home.size() - 1, QStringLiteral("~"));
        shown = metrics.elidedText(shown, Qt::ElideMiddle, metrics.averageCharWidth() * 60);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *entry = mRecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        entry->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i));
        entry->setToolTip(QDir::toNativeSeparators(file));
        connect(entry, &QAction::triggered, this, [this, file] { openRecentProject(file); });
    }
    addSeparator(mRecentMenu, "mnuFileRecentSeparator");
    addItem(mRecentMenu, "mnuFileRecentClear", QStringLiteral("&Clear list"), &frmMain::clearRecentProjects);
    mRecentMenu->menuAction()->setEnabled(!files.isEmpty());
}

void frmMain::openRecentProject(const QString &fileName)
{
    if (!QFileInfo(fileName).isFile()) {
        mRecent.remove(fileName);
        refreshRecentMenu();
        mServices.feedback.fail(QStringLiteral("%1 no longer exists. It has been removed from the recent projects.")
                                    .arg(QDir::toNativeSeparators(fileName)));
        return;
    }
    if (mayDropDocument())
        openProject(fileName);
}

void frmMain::clearRecentProjects()
{
    mRecent.clear();
    refreshRecentMenu();
}

void frmMain::redraw()
{
    DrawFontSheet();
    DrawSample();
    updateModified();
}

void frmMain::formatFont()
{
    FontChoice current;
    current.font = moFont->surfaceFont();
    current.color = moFont->Color;
    if (const std::optional<FontChoice> chosen = mServices.choosers.chooseFont(this, current)) {
        // Another family in the dialog is an installed one: the font file no longer holds it.
        // The family the dialog opened on for a font file (its installed stand-in), and the
        // names the program draws font files under, which the dialog lists too, stand for the
        // font as it is.
        const bool kept = chosen->font.name == moFont->TTFName() || isDrawingFamily(chosen->font.name)
            || (!moFont->FontFile().isEmpty() && chosen->font.name == matchedFontFamily(moFont->TTFName()));
        if (!kept) {
            moFont->setFontFile(QString());
            moFont->setTTFName(chosen->font.name);
        }
        moFont->setBold(chosen->font.bold);
        moFont->setItalic(chosen->font.italic);
        moFont->setSize(chosen->font.size);
        moFont->setStrikethrough(chosen->font.strikethrough);
        moFont->setUnderline(chosen->font.underline);
        moFont->Color = chosen->color;
        RefreshDerivedNames(true);
        UpdateStyleMenus();
        UpdateControls(true, true);
    }
    redraw();
}

void frmMain::toggleBold()
{
    moFont->setBold(!moFont->Bold());
    styleToggled();
}

void frmMain::toggleItalic()
{
    moFont->setItalic(!moFont->Italic());
    styleToggled();
}

void frmMain::toggleUnderline()
{
    moFont->setUnderline(!moFont->Underline());
    styleToggled();
}

void frmMain::styleToggled()
{
    RefreshDerivedNames(false);
    UpdateStyleMenus();
    UpdateControls(false, false);
    redraw();
    noteSynthesisedStyle();
}

void frmMain::fontProperties()
{
    runDocumentDialog(DocumentDialog::Properties);
    redraw();
}

void frmMain::postprocessingProperties()
{
    runDocumentDialog(DocumentDialog::PostProperties); // the names follow through applyPostprocessing
    redraw();
}

void frmMain::exportFont()
{
    runDocumentDialog(DocumentDialog::Export);
    redraw();
}

bool frmMain::runDocumentDialog(DocumentDialog which)
{
    const DocumentDialogRunner &run = mDocumentDialogs[int(which)];
    if (run)
        run(this, *moFont);
    return bool(run);
}

void frmMain::editCharset()
{
    moFont->setChars(editText(QStringLiteral("Charset"), moFont->Chars(),
                              QStringLiteral("All characters of %1").arg(codePageName(moFont->CodePage())),
                              TexelFont::characterSetOf(moFont->CodePage())));
    redraw();
}

void frmMain::defaultCharset()
{
    moFont->SetCharsToDefault();
    redraw();
}

QString frmMain::editText(const QString &title, const QString &text, const QString &fillCaption,
                          const QString &fillText)
{
    frmGetText dialog(this);
    dialog.setTitle(title);
    dialog.setText(text);
    if (!fillCaption.isEmpty())
        dialog.offerFill(fillCaption, fillText);
    dialog.exec();
    return dialog.Text();
}

void frmMain::sampleChanged()
{
    DrawSample();
    updateModified();
}

void frmMain::editSampleText()
{
    moFont->SampleText = editText(QStringLiteral("Sample text"), moFont->SampleText);
    sampleChanged();
}

void frmMain::previewAsExported(bool checked)
{
    mPreview->setPreviewAsExported(checked);
    sampleChanged();
}

void frmMain::setBackground()
{
    // The file dialog keeps the filter and name of its last use.
    const QString fileName = mServices.choosers.openFileName(this, FileRequest{});
    if (!fileName.isEmpty() && mPreview->loadBackgroundPicture(fileName))
        moFont->Background = fileName;
    sampleChanged();
}

void frmMain::clearBackground()
{
    mPreview->clearBackgroundPicture();
    moFont->Background.clear();
    sampleChanged();
}

void frmMain::runToolDialog(ToolDialog which)
{
    if (const ToolDialogRunner &run = mToolDialogs[int(which)])
        run(this);
}

void frmMain::showExtractor()
{
    runToolDialog(ToolDialog::Extractor);
}

void frmMain::showConverter()
{
    runToolDialog(ToolDialog::Converter);
}

void frmMain::showViewer()
{
    runToolDialog(ToolDialog::Viewer);
}

void frmMain::editGlyphs()
{
    if (!moFont->Postprocessed) {
        mServices.feedback.inform(QStringLiteral("The glyph editor works on the bitmaps for post-processing. Check "
                                                 "\"The font will be postprocessed\" in Font > Postprocessing "
                                                 "properties first."));
        return;
    }
    runDocumentDialog(DocumentDialog::GlyphEditor);
    redraw();
}

void frmMain::about()
{
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
        mServices.store.saveInt(kForms, objectName() + kZoomKey, mPreview->zoomControl()->zoom());
        SaveFormPosToRegistry(this, mServices.store);
    } catch (const Failure &failure) {
        mServices.feedback.fail(failure.message());
    }
}
