#pragma once

#include "exportedsample.h"
#include "glyphmeasurement.h"
#include "rastersurface.h"
#include "resizer.h"
#include "widgetpanel.h"

#include <QWidget>

#include <functional>

class FontSheetGuide;
class QFrame;
class QScrollBar;
class SurfaceView;
class TexelFont;
class WidgetBar;
class ZoomControl;

// The two panes of the main window: the font sheet above (picPanelFont clipping picFont,
// scrolled by hsbFont), the splitter bar lblResizer, and the sample below (picSample).
// Lays them out on every resize and splitter move and redraws the document into them
// with the same renderer as the export (aliased, fully hinted). Both panes show their
// pixels at the zoom of zoomControl(), 1x to MaxZoom. When the sheet's line grows or
// shrinks (zoom, font), its pane takes the height that shows the whole line, or the height
// last chosen with the splitter when that is more.
class FontPreview : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxZoom = 8;

    explicit FontPreview(QWidget *parent = nullptr);
    ~FontPreview() override;

    // The document drawn by the redraws that follow a layout; not owned. The preview keeps
    // its measurement, measuring again when a redraw finds the settings changed.
    void setDocument(TexelFont *font);
    // The document's measurement as the last redraw drew it.
    const GlyphMeasurement &measurement() const { return mMeasured; }

    // The sheet's surface, whose font is the rendering font the window tries sizes on.
    Surface &sheetSurface() { return mSheetSurface; }
    Resizer &resizer() { return mResizer; }
    // The zoom of both panes; Ctrl+wheel over either changes it, a change redraws them.
    ZoomControl *zoomControl() const { return mZoom; }
    // The sheet's frames around missing and unencodable characters, and its tooltips.
    const FontSheetGuide &sheetGuide() const { return *mGuide; }

    // Redraw the sheet (resizing picFont and setting up hsbFont) or the sample. A failure
    // is shown in the pane instead of the drawing and returned.
    bool DrawFontSheet();
    bool DrawSample();
    // The width that shows the whole sheet as last drawn without scrolling, pixels.
    int wholeSheetWidth() const;

    // Whether the sample is drawn as the exported font draws it on the console (see
    // ExportedSample) instead of with the platform's text drawing.
    void setPreviewAsExported(bool on) { mAsExported = on; }
    bool previewAsExported() const { return mAsExported; }
    const ExportedSample &exportedSample() const { return mExported; }
    // Where the exported sample reads the edited bitmaps of a post-processed font, asked at
    // each drawing; without it, the working folder.
    void setOutputFolder(std::function<QString()> folder) { mOutputFolder = std::move(folder); }

    // Shows a picture file behind the sample; false (picture unchanged) when the file is
    // not a readable picture.
    bool loadBackgroundPicture(const QString &path);
    void clearBackgroundPicture();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutPanes();
    void fitSheetPane(int lineHeight);
    void scrollSheet(int value);
    void zoomChanged(int zoom);

    const GlyphMeasurement &measured();

    TexelFont *mFont = nullptr;
    GlyphMeasurement mMeasured;
    QFrame *mPanelFont;
    SurfaceView *mFontView;
    FontSheetGuide *mGuide;
    QScrollBar *mScroll;
    QWidget *mBar;
    SurfaceView *mSampleView;
    RasterSurface mMeasuringSurface;
    RasterSurface mSheetSurface;
    RasterSurface mSampleSurface;
    // The working picture of the exported sample's glyph image.
    RasterSurface mExportSurface;
    ExportedSample mExported;
    std::function<QString()> mOutputFolder;
    bool mAsExported = false;
    Resizer mResizer;
    WidgetPanel mFirstPanel;
    WidgetPanel mSecondPanel;
    WidgetBar *mBarAdapter;
    ZoomControl *mZoom;
    bool mFirstLayout = true;
    int mSheetTextWidth = 0;
    // The sheet pane's height chosen with the splitter (or by the window), twips; the shown
    // line's height the pane was last fitted to, pixels; set while the pane is fitted.
    qint32 mChosenPosition = 0;
    int mFittedLineHeight = 0;
    bool mFitting = false;
};
