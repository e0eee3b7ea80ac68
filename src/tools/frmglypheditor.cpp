#include "frmglypheditor.h"

#include "colorswatch.h"
#include "controlarray.h"
#include "glyphcanvas.h"
#include "outputfolder.h"
#include "widgetfactory.h"
#include "zoomcontrol.h"
#include "zoomview.h"

#include "characternotes.h"
#include "characters.h"
#include "choosers.h"
#include "dialogservices.h"
#include "failure.h"
#include "feedback.h"
#include "icons.h"
#include "paths.h"
#include "postprocessnames.h"
#include "settingsstore.h"
#include "texelfont.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace {

using Layer = GlyphEditor::Layer;
using Tool = GlyphEditor::Tool;

constexpr int MaxZoom = 32;
const QString kForms = QStringLiteral("Forms");
const QString kZoomKey = QStringLiteral("frmGlyphEditor.Zoom");

QScrollArea *newArea(QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setAlignment(Qt::AlignCenter);
    area->setBackgroundRole(QPalette::Dark);
    return area;
}

// The zoom at which a glyph about fills a pane of 320 pixels.
int fittingZoom(int imageHeight)
{
    return std::clamp(320 / std::max(imageHeight, 1), 1, MaxZoom);
}

} // namespace

frmGlyphEditor::frmGlyphEditor(DialogServices &services, QWidget *parent)
    : DocumentDialog(parent),
      mServices(services),
      mZoom(new ZoomControl(MaxZoom, this)),
      mNotes(newLabel(QString(), this, QStringLiteral("lblNotes"))),
      mSaved(newLabel(QString(), this, QStringLiteral("lblSaved"))),
      mCharacter(newLabel(QString(), this, QStringLiteral("lblCharacter"))),
      mColor(new ColorSwatch(true, this)),
      mLevel(new QSpinBox(this)),
      mLevelNote(newLabel(QString(), this, QStringLiteral("lblLevel"))),
      mGlyphArea(newArea(this)),
      mMaskArea(newArea(this)),
      mStripArea(newArea(this)),
      mPreview(new ZoomView),
      mPreviewMessage(newLabel(QString(), this, QStringLiteral("lblPreviewMessage"))),
      mPreviewTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmGlyphEditor"));
    setWindowTitle(QStringLiteral("Edit glyphs[*]"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());
    setSizeGripEnabled(true);
    mNotes->setWordWrap(true);
    mNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The tools, the pencil's colour and level, the zoom, undo and revert.
    auto *tools = new QHBoxLayout;
    auto *group = new QButtonGroup(this);
    const std::tuple<const char *, const char *, Tool, const char *> toolButtons[] = {
        {"optPencil", "&Pencil", Tool::Pencil, "Paint in the pencil's colour (on the mask: its level)"},
        {"optEraser", "&Eraser", Tool::Eraser, "Paint in the transparent colour (on the mask: the background)"},
        {"optFill", "&Fill", Tool::Fill, "Fill the area of one colour under the pointer, in the glyph's cell"},
        {"optPicker", "Pic&k", Tool::Picker, "Take the colour (on the mask: the level) of a pixel for the pencil"},
    };
    for (const auto &[name, caption, tool, tip] : toolButtons) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setText(QString::fromUtf8(caption));
        button->setToolTip(QString::fromUtf8(tip));
        button->setCheckable(true);
        button->setChecked(tool == Tool::Pencil);
        // Keys go on to the window, which takes Left, Right and characters for the glyphs.
        button->setFocusPolicy(Qt::NoFocus);
        group->addButton(button);
        connect(button, &QToolButton::toggled, this, [this, t = tool](bool on) {
            if (on && mEditor)
                mEditor->setTool(t);
        });
        tools->addWidget(button);
    }
    tools->addSpacing(12);
    tools->addWidget(newLabel(QStringLiteral("Colour:"), this));
    mColor->setObjectName(QStringLiteral("lblColor"));
    mColor->setToolTip(QStringLiteral("The pencil's colour; click to choose another"));
    connect(mColor, &ColorSwatch::clicked, this, &frmGlyphEditor::chooseColor);
    tools->addWidget(mColor);
    tools->addSpacing(12);
    auto *levelLabel = newLabel(QStringLiteral("Mask &level:"), this);
    levelLabel->setBuddy(mLevel);
    mLevel->setObjectName(QStringLiteral("txtLevel"));
    mLevel->setRange(0, 31);
    connect(mLevel, &QSpinBox::valueChanged, this, [this](int level) {
        if (mEditor)
            mEditor->setLevel(level);
        refresh();
    });
    tools->addWidget(levelLabel);
    tools->addWidget(mLevel);
    tools->addWidget(mLevelNote);
    tools->addStretch();
    auto *zoomLabel = newLabel(QStringLiteral("&Zoom:"), this);
    QComboBox *zoomBox = mZoom->newComboBox(QStringLiteral("cbxZoom"), this);
    zoomLabel->setBuddy(zoomBox);
    connect(mZoom, &ZoomControl::zoomChanged, this, &frmGlyphEditor::setZoom);
    tools->addWidget(zoomLabel);
    tools->addWidget(zoomBox);
    const std::tuple<const char *, const char *, QKeySequence> editButtons[] = {
        {"cmdUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {"cmdRedo", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"cmdRevert", "Re&vert glyph", QKeySequence()},
    };
    for (const auto &[name, caption, keys] : editButtons) {
        auto *button = newButton<QPushButton>(QLatin1String(name), QString::fromUtf8(caption), this);
        button->setAutoDefault(false);
        if (!keys.isEmpty())
            button->setToolTip(keys.toString(QKeySequence::NativeText));
        tools->addWidget(button);
    }
    const auto run = [this](void (GlyphEditor::*step)()) {
        return [this, step] {
            if (mEditor) {
                ((*mEditor).*step)();
                edited();
            }
        };
    };
    connect(findChild<QPushButton *>(QStringLiteral("cmdUndo")), &QPushButton::clicked, this, run(&GlyphEditor::undo));
    connect(findChild<QPushButton *>(QStringLiteral("cmdRedo")), &QPushButton::clicked, this, run(&GlyphEditor::redo));
    connect(findChild<QPushButton *>(QStringLiteral("cmdRevert")), &QPushButton::clicked, this,
            run(&GlyphEditor::revertGlyph));
    const std::pair<QKeySequence, std::function<void()>> shortcuts[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Z), run(&GlyphEditor::undo)},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), run(&GlyphEditor::redo)},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), run(&GlyphEditor::redo)},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { save(); }},
    };
    for (const auto &[keys, action] : shortcuts)
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);

    // The glyph large, the mask beside it, the strip and the preview.
    auto *panes = new QHBoxLayout;
    panes->addWidget(mGlyphArea, 1);
    panes->addWidget(mMaskArea, 1);
    mMaskArea->hide();
    mStripArea->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto *previewFrame = new QGroupBox(QStringLiteral("Preview: the sample text as the GP32 draws it"), this);
    mPreview->setObjectName(QStringLiteral("picPreview"));
    QScrollArea *previewArea = newArea(previewFrame);
    previewArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    previewArea->setWidget(mPreview);
    previewArea->setMinimumHeight(90);
    mPreviewMessage->setWordWrap(true);
    mPreviewMessage->hide();
    auto *previewLayout = new QVBoxLayout(previewFrame);
    previewLayout->addWidget(previewArea);
    previewLayout->addWidget(mPreviewMessage);
    mPreviewTimer->setSingleShot(true);
    mPreviewTimer->setInterval(0);
    connect(mPreviewTimer, &QTimer::timeout, this, &frmGlyphEditor::drawPreview);

    auto *close = newCommand(QStringLiteral("Close"), 0, this);
    auto *saveButton = newCommand(QStringLiteral("&Save"), 1, this);
    for (QPushButton *button : {close, saveButton})
        button->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &frmGlyphEditor::reject);
    connect(saveButton, &QPushButton::clicked, this, &frmGlyphEditor::save);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mNotes);
    layout->addLayout(tools);
    layout->addLayout(panes, 3);
    layout->addWidget(mCharacter);
    layout->addWidget(mStripArea);
    layout->addWidget(previewFrame, 1);
    addRuleAndCommands(layout, this, {saveButton, close}, mSaved);
    resize(1000, 760);
}

frmGlyphEditor::~frmGlyphEditor() = default;

void frmGlyphEditor::firstActivation()
{
    const QString folder = outputFolder(*moFont, mServices.store);
    const EditedBitmaps names = proposedEditedBitmaps(*moFont);
    try {
        BusyGuard busy(mServices.feedback);
        mEditor = std::make_unique<GlyphEditor>(*moFont, resolvedOutputName(names.bitmap, folder),
                                                resolvedOutputName(names.mask, folder));
    } catch (const Failure &failure) {
        mServices.feedback.fail(failure.message());
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    mGlyphCanvas = new GlyphCanvas(*mEditor, Layer::Glyphs);
    mGlyphCanvas->setObjectName(QStringLiteral("picGlyph"));
    mGlyphArea->setWidget(mGlyphCanvas);
    mStrip = new GlyphStrip(*mEditor);
    mStrip->setObjectName(QStringLiteral("picStrip"));
    mStrip->setZoom(mEditor->image(Layer::Glyphs).height() <= 48 ? 2 : 1);
    mStrip->refresh();
    mStripArea->setWidget(mStrip);
    mStripArea->setFixedHeight(mStrip->sizeHint().height() + mStripArea->horizontalScrollBar()->sizeHint().height()
                               + 2 * mStripArea->frameWidth());
    QList<GlyphCanvas *> canvases{mGlyphCanvas};
    if (mEditor->masked()) {
        mMaskCanvas = new GlyphCanvas(*mEditor, Layer::Mask);
        mMaskCanvas->setObjectName(QStringLiteral("picMask"));
        mMaskArea->setWidget(mMaskCanvas);
        mMaskArea->show();
        canvases.append(mMaskCanvas);
        mLevel->setValue(mEditor->level());
    }
    for (GlyphCanvas *canvas : canvases) {
        connect(canvas, &GlyphCanvas::edited, this, &frmGlyphEditor::edited);
        connect(canvas, &GlyphCanvas::glyphChosen, this, &frmGlyphEditor::showGlyph);
        mZoom->watch(canvas);
    }
    connect(mStrip, &GlyphStrip::glyphChosen, this, &frmGlyphEditor::showGlyph);
    for (QWidget *pane : {mGlyphArea->viewport(), mMaskArea->viewport()})
        mZoom->watch(pane);
    for (QWidget *control : std::initializer_list<QWidget *>{mLevelNote, mLevel})
        control->setEnabled(mEditor->masked());
    showNotes();

    const int zoom = mServices.store.getInt(kForms, kZoomKey, fittingZoom(mEditor->image(Layer::Glyphs).height()));
    if (zoom == mZoom->zoom())
        setZoom(zoom);
    else
        mZoom->setZoom(zoom);
    showGlyph(0);
    mGlyphCanvas->setFocus();
    mPreviewTimer->start();
}

void frmGlyphEditor::showNotes()
{
    QStringList notes = mEditor->notes();
    notes.prepend(
        QStringLiteral("Glyph image: %1").arg(mEditor->path(Layer::Glyphs))
        + (mEditor->masked() ? QStringLiteral("\nAlpha mask: %1").arg(mEditor->path(Layer::Mask)) : QString()));
    mNotes->setText(notes.join(QLatin1Char('\n')));
}

void frmGlyphEditor::setZoom(int zoom)
{
    for (GlyphCanvas *canvas : {mGlyphCanvas, mMaskCanvas}) {
        if (canvas)
            canvas->setZoom(zoom);
    }
}

void frmGlyphEditor::showGlyph(int index)
{
    if (!mEditor)
        return;
    mEditor->setCurrent(index);
    const QRect cell = mEditor->cell(Layer::Glyphs, mEditor->current());
    mStripArea->ensureVisible((cell.center().x()) * mStrip->zoom(), 0, mStripArea->viewport()->width() / 3, 0);
    refresh();
}

void frmGlyphEditor::keyPressEvent(QKeyEvent *event)
{
    // Left and Right step through the glyphs; typing a character of the set shows its glyph.
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const QStringList typed = charactersOf(text);
    const bool one = typed.size() == 1 && QChar::isPrint(codePointOf(typed.first()));
    int index = mEditor && plain && one ? mEditor->indexOf(typed.first()) : -1;
    if (mEditor && (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right))
        index = std::max(mEditor->current() + (event->key() == Qt::Key_Left ? -1 : 1), 0);
    if (index >= 0)
        showGlyph(index);
    else
        DocumentDialog::keyPressEvent(event);
}

void frmGlyphEditor::edited()
{
    refresh();
    mPreviewTimer->start();
}

void frmGlyphEditor::refresh()
{
    if (!mEditor)
        return;
    for (GlyphCanvas *canvas : {mGlyphCanvas, mMaskCanvas}) {
        if (canvas)
            canvas->refresh();
    }
    mStrip->refresh();
    mColor->setColor(mEditor->color());
    {
        const QSignalBlocker quiet(mLevel);
        mLevel->setValue(mEditor->level());
    }
    const int opacity = moFont->InvertMask ? 31 - mEditor->level() : mEditor->level();
    mLevelNote->setText(mEditor->masked() ? QStringLiteral("(opacity %1 of 31)").arg(opacity) : QString());
    const int index = mEditor->current();
    const QRect cell = mEditor->cell(Layer::Glyphs, index);
    mCharacter->setText(index < mEditor->count()
                            ? QStringLiteral("%1: glyph %2 of %3, cell %4 x %5 pixels at column %6. "
                                             "Left and Right go to the neighbours; typing a character goes to it.")
                                  .arg(characterWithCode(mEditor->characters().at(index)))
                                  .arg(index + 1)
                                  .arg(mEditor->count())
                                  .arg(cell.width())
                                  .arg(cell.height())
                                  .arg(cell.x())
                            : QStringLiteral("The character set is empty."));
    findChild<QPushButton *>(QStringLiteral("cmdUndo"))->setEnabled(mEditor->canUndo());
    findChild<QPushButton *>(QStringLiteral("cmdRedo"))->setEnabled(mEditor->canRedo());
    setWindowModified(mEditor->isModified());
}

void frmGlyphEditor::drawPreview()
{
    if (!mEditor)
        return;
    try {
        mPreview->setImage(mEditor->preview(moFont->SampleText));
        mPreview->setZoom(2);
        mPreviewMessage->hide();
    } catch (const Failure &failure) {
        mPreview->setImage(QImage());
        mPreviewMessage->setText(failure.message());
        mPreviewMessage->show();
    }
}

void frmGlyphEditor::chooseColor()
{
    if (!mEditor)
        return;
    if (const std::optional<Color> chosen = mServices.choosers.chooseColor(this, mEditor->color())) {
        mEditor->setColor(*chosen);
        refresh();
    }
}

bool frmGlyphEditor::save()
{
    if (!mEditor)
        return false;
    for (const QString &question : mEditor->saveQuestions()) {
        if (!mServices.feedback.ask(question))
            return false;
    }
    try {
        const QStringList written = mEditor->save(mServices.feedback);
        rememberOutputFolder(mServices.store, mEditor->path(Layer::Glyphs));
        QStringList names;
        for (const QString &file : written)
            names.append(GetFileName(file));
        mSaved->setText(QStringLiteral("Saved: %1").arg(names.join(QStringLiteral(", "))));
        mSaved->setToolTip(written.join(QLatin1Char('\n')));
        // The notes were about the files as they were; without them the header keeps its
        // height, so the panes stay where they are.
        mNotes->setMinimumHeight(mNotes->height());
        showNotes();
    } catch (const Failure &failure) {
        mServices.feedback.fail(failure.message());
        return false;
    }
    refresh();
    return true;
}

void frmGlyphEditor::reject()
{
    if (mEditor && mEditor->isModified()) {
        switch (mServices.choosers.askSaveChanges(this, GetFileName(mEditor->path(Layer::Glyphs)))) {
        case UnsavedChanges::Save:
            if (!save())
                return;
            break;
        case UnsavedChanges::Discard: break;
        case UnsavedChanges::Cancel: return;
        }
    }
    if (mEditor) {
        try {
            mServices.store.saveInt(kForms, kZoomKey, mZoom->zoom());
        } catch (const Failure &) {
            // Only the zoom of the next editor is lost.
        }
    }
    DocumentDialog::reject();
}
