#pragma once

#include "documentdialog.h"
#include "glypheditor.h"

#include <memory>

class ColorSwatch;
class GlyphCanvas;
class GlyphStrip;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTimer;
class ZoomControl;
class ZoomView;
struct DialogServices;

// The glyph editor of a post-processed document: the glyph image and, for a masked font,
// the mask image that the ZGF export reads, shown one glyph at a time (up to 32x) beside a
// strip of all glyphs and a live preview of the sample text as the GP32 draws it. The work
// is a GlyphEditor; the window shows it and passes the mouse and keys on.
//
// Save writes the bitmaps the export reads, asking first about files changed on disk;
// closing with unsaved edits asks whether to save them. Its buttons form the array
// cmdCommands (0 "Close", 1 "Save").
class frmGlyphEditor : public DocumentDialog
{
    Q_OBJECT

public:
    explicit frmGlyphEditor(DialogServices &services, QWidget *parent = nullptr);
    ~frmGlyphEditor() override;

    // The editor, once the images are open (after the dialog was first shown).
    GlyphEditor *editor() const { return mEditor.get(); }
    // Saves as the Save button does; false when declined or failed (reported).
    bool save();
    // Chooses the glyph shown.
    void showGlyph(int index);

public slots:
    void reject() override;

protected:
    void firstActivation() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void edited();
    void refresh();
    void drawPreview();
    void chooseColor();
    void setZoom(int zoom);
    void showNotes();

    DialogServices &mServices;
    std::unique_ptr<GlyphEditor> mEditor;
    ZoomControl *mZoom;
    QLabel *mNotes;
    QLabel *mSaved;
    QLabel *mCharacter;
    ColorSwatch *mColor;
    QSpinBox *mLevel;
    QLabel *mLevelNote;
    QScrollArea *mGlyphArea;
    QScrollArea *mMaskArea;
    QScrollArea *mStripArea;
    GlyphCanvas *mGlyphCanvas = nullptr;
    GlyphCanvas *mMaskCanvas = nullptr;
    GlyphStrip *mStrip = nullptr;
    ZoomView *mPreview;
    QLabel *mPreviewMessage;
    QTimer *mPreviewTimer;
};
