#pragma once

#include "glyphmeasurement.h"
#include "rastersurface.h"
#include "zgfbuilder.h"

#include <QGroupBox>
#include <QTimer>

#include <functional>
#include <optional>

class QLabel;
class QStackedWidget;
class TexelFont;

// The sizes of the ZGF file the export would write now, with RAW and with RLE coding:
// glyph image, mask and total in bytes, grouped as the person's locale groups thousands,
// the chosen coding's column in bold. Building the file twice takes a moment for a large
// font, so the sizes are computed on a short timer after the last change. When they cannot
// be computed, the panel says why instead: plainly while the edited bitmaps of a
// post-processed font do not exist yet, with the failure when they cannot be read. Cells
// are named lblSize<RAW|RLE><GlyphImage|Mask|Total>, the reason lblSizeNote.
class SizeBudgetPanel : public QGroupBox
{
    Q_OBJECT

public:
    static constexpr int DelayMs = 150;

    explicit SizeBudgetPanel(QWidget *parent = nullptr);

    // The document and where the images come from, read at each computation; the document
    // is not owned and must outlive the panel.
    void setSource(TexelFont *font, std::function<ZgfBuildInput()> input);
    // Computes again once no other request came for DelayMs.
    void schedule();
    bool isScheduled() const { return mTimer.isActive(); }
    // Computes and shows the sizes now.
    void compute();
    // Sets the column shown in bold.
    void setRle(bool rle);

    // The sizes shown, or nothing when they could not be computed (or were not yet).
    const std::optional<ZgfSizeBudget> &budget() const { return mBudget; }

private:
    void showBudget();

    QTimer mTimer;
    RasterSurface mWork;
    TexelFont *mFont = nullptr;
    // The document measured on mWork, kept while its settings stay.
    GlyphMeasurement mMeasured;
    std::function<ZgfBuildInput()> mInput;
    std::optional<ZgfSizeBudget> mBudget;
    bool mRle = true;
    QStackedWidget *mPages;
    QLabel *mHeads[2];
    QLabel *mCells[2][3];
    QLabel *mNote;
};
