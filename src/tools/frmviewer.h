#pragma once

#include "surface.h"
#include "zgffont.h"

#include <QDialog>
#include <QImage>

#include <optional>

class CodePageBox;
class ColorSwatch;
class GripSplitter;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QScrollArea;
class ZgfCharGrid;
class ZoomControl;
class ZoomView;
struct DialogServices;

// The ZGF font viewer: shows a ZGF font file, or a font embedded in another file, as the
// console has it: the header's facts, the glyph image and the mask at a zoom of 1x to 8x
// (the zoom control of the main window: Ctrl++, Ctrl+-, Ctrl+0, Ctrl+wheel),
// the character table as a grid, and a sample text drawn with the font exactly as a GP32
// program draws it, over a checker board or a plain colour. A ZGF file does not record the
// code page of its codes: the person chooses it (Windows-1252 at first), and the character
// table and the sample follow.
//
// The Characters pane is never shorter than a whole row of cells, glyphs and captions (the
// window grows for it as far as the screen allows); after a change of the zoom or the font
// it takes the height last chosen with the splitter when that is more. The sample pane gives
// and takes the height.
//
// A file that is not a sound ZGF font is refused with a message and the font shown before
// stays.
class frmViewer : public QDialog
{
    Q_OBJECT

public:
    explicit frmViewer(DialogServices &services, QWidget *parent = nullptr);
    ~frmViewer() override;

    // Shows the font file; false (with the failure reported) when it cannot be read.
    bool openFile(const QString &path);
    // Shows the font embedded in the file at offset, straight from it.
    bool openEmbedded(const QString &path, qint64 offset);

    const std::optional<ZgfFont> &zgfFont() const { return mFont; }
    void setCodePage(CodePage page);
    int zoom() const;
    void setZoom(int zoom);
    // What the panes show, before zooming.
    const QImage &glyphImage() const { return mGlyphs; }
    const QImage &maskImage() const { return mMask; }
    const QImage &sampleImage() const { return mSample; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool open(const QString &path, qint64 offset);
    void browse();
    void applyZoom();
    void fitCharacterPane();
    void showFacts();
    void drawSample();
    void chooseBackColor();
    void applyCodePage();
    std::optional<Color> sampleBackground() const;

    DialogServices &mServices;

    std::optional<ZgfFont> mFont;
    QImage mGlyphs;
    QImage mMask;
    QImage mSample;

    QLineEdit *mFilename;
    QLabel *mOffset;
    QGridLayout *mFacts;
    ZoomControl *mZoom;
    CodePageBox *mCodePage;
    ZoomView *mGlyphView;
    QScrollArea *mGlyphArea;
    QGroupBox *mMaskFrame;
    ZoomView *mMaskView;
    QScrollArea *mMaskArea;
    GripSplitter *mPanes;
    QGroupBox *mCharFrame;
    ZgfCharGrid *mChars;
    QScrollArea *mCharArea;
    // The Characters pane's height chosen with the splitter, 0 before the first showing.
    int mChosenCharHeight = 0;
    // Set by a change of the zoom or the font: the next fitting sets the panes' heights.
    bool mRefitPanes = false;
    QLabel *mCharacter;
    QPlainTextEdit *mSampleText;
    QRadioButton *mChecker;
    QRadioButton *mPlain;
    ColorSwatch *mBackColor;
    ZoomView *mSampleView;
    QLabel *mSampleMessage;
};
