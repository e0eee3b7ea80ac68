#pragma once

#include "projectrecord.h"
#include "rastersurface.h"
#include "recentprojects.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>

class FontPreview;
class QAction;
class QComboBox;
class QMenu;
class QToolBar;
class TexelFont;
struct DialogServices;

// The program's main window: it owns the one document (moFont), lets the person choose its
// font, size and style, shows the font sheet and the sample, and carries every command as
// a menu entry and, for the most used ones, a toolbar button. The caption marks a document
// changed since it was last saved or loaded, and New, Open and closing ask before such
// changes are lost.
//
// The dialogs that work on the document and the two tools are hooked in from outside (the
// program's main), so the window does not depend on them; an entry without its dialog is
// disabled.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    enum class DocumentDialog { Properties, PostProperties, Export, GlyphEditor };
    enum class ToolDialog { Extractor, Converter, Viewer };
    // Shows a dialog modally on the document, handed over for the one use.
    using DocumentDialogRunner = std::function<void(QWidget *parent, TexelFont &font)>;
    using ToolDialogRunner = std::function<void(QWidget *parent)>;

    // Loads the window: caption, stored position, a new document, the splitter and its
    // stored position. The services must outlive the window.
    explicit frmMain(DialogServices &services, QWidget *parent = nullptr);
    ~frmMain() override;

    // Enables the menu entry (and toolbar button) of the dialog and runs it from them.
    void setDocumentDialog(DocumentDialog which, DocumentDialogRunner run);
    void setToolDialog(ToolDialog which, ToolDialogRunner run);

    TexelFont &document() { return *moFont; }
    FontPreview *preview() const { return mPreview; }

    // Runs the one-time set-up of the first activation now, if it has not run yet.
    void activateOnce();

    // Loads the project file as File > Open does once a name is chosen; false (reported)
    // when it cannot be loaded.
    bool openProject(const QString &fileName);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // The commands of the menus and the toolbar.
    void fileNew();
    void fileOpen();
    bool fileSave();
    bool fileSaveAs();
    void clearRecentProjects();
    void formatFont();
    void openFontFile();
    void editCharset();
    void defaultCharset();
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    void fontProperties();
    void postprocessingProperties();
    void exportFont();
    void editSampleText();
    void setBackground();
    void clearBackground();
    void previewAsExported(bool checked);
    void showExtractor();
    void showConverter();
    void showViewer();
    void editGlyphs();
    void about();

    // The font and size boxes.
    void fontFamilyChosen();
    void sizeEdited(const QString &text);
    void sizeChosen(int index);
    void sizeBoxLeft();

private:
    QSize firstSize();
    void createMenus();
    void createToolBar();
    template <class Slot>
    QAction *addItem(QMenu *menu, const char *name, const QString &caption, Slot slot,
                     const QKeySequence &shortcut = {});
    QMenu *addSubmenu(QMenu *menu, const char *name, const char *itemName, const QString &caption);
    void addSeparator(QMenu *menu, const char *name);
    template <class Slot>
    void addButton(const char *key, const char *tip, Slot slot, bool checkable = false);

    void FillFontList();
    void DrawFontSheet();
    void DrawSample();
    void UpdateStyleMenus();
    void UpdateControls(bool updateName, bool updateSize);
    void RefreshDerivedNames(bool includeName);
    bool selectFontName(const QString &name);
    // Selects the document's font in the font box: its font file's entry for its family
    // (the file's families added when missing, or the family alone when the file cannot be
    // read), else its family; false when the box has neither.
    bool selectDocumentFont();
    // The size box lists a bitmap font file's sizes, and the usual sizes for other fonts.
    void fillSizeList();
    // Says which sizes a bitmap font file has when it is asked for another size.
    void noteFixedSizes(float requested);
    // Says that the renderer synthesises a style the font file's face lacks.
    void noteSynthesisedStyle();
    bool trySize(float size);

    // Every Font command ends with a redraw; the sample commands redraw the sample.
    void redraw();
    void sampleChanged();
    void styleToggled();
    // The document as saved or loaded last; the caption's marker shows whether it changed,
    // and its file goes to the top of the recent projects.
    void markSaved();
    void updateModified();
    // Asks about unsaved changes before the document is dropped; false when the person
    // cancels or the save they chose did not happen.
    bool mayDropDocument();
    // File > Recent projects: the entries of the list, and Clear list.
    void refreshRecentMenu();
    // Opens a listed project; one that no longer exists leaves the list, with a message.
    void openRecentProject(const QString &fileName);
    // False when the dialog is not hooked in.
    bool runDocumentDialog(DocumentDialog which);
    void runToolDialog(ToolDialog which);
    // The text edited in the text dialog; a fill caption offers fillText there.
    QString editText(const QString &title, const QString &text, const QString &fillCaption = QString(),
                     const QString &fillText = QString());
    void unload();

    DialogServices &mServices;
    RasterSurface mMeasuringSurface;
    std::unique_ptr<TexelFont> moFont;
    QByteArray mSaved; // the project file's bytes when last saved or loaded
    RecentProjects mRecent;
    QMenu *mRecentMenu = nullptr;
    FontPreview *mPreview;
    QToolBar *mToolBar = nullptr;
    QComboBox *mFonts = nullptr;
    QComboBox *mSize = nullptr;
    QMenu *mFontMenu = nullptr;
    QHash<QString, QAction *> mButtons;
    std::array<DocumentDialogRunner, 4> mDocumentDialogs;
    std::array<ToolDialogRunner, 3> mToolDialogs;
    bool mbUpdating = false;
    bool mActivated = false;
    bool mUnloaded = false;
};
