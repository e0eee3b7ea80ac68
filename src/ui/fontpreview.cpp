#include "fontpreview.h"

#include "fontsheetguide.h"
#include "fontsheetpainter.h"
#include "samplepainter.h"
#include "surfaceview.h"
#include "twips.h"
#include "widgetbar.h"
#include "zoomcontrol.h"

#include "failure.h"
#include "measuredfont.h"
#include "picturefile.h"
#include "texelfont.h"

#include <QFileInfo>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <utility>

namespace {

// Gap under the toolbar and height of the splitter bar (room for its grip), twips.
constexpr int GapTwips = 30;
constexpr int BarTwips = 120;
// The sheet's scroll steps at 1x, pixels.
constexpr int SmallScroll = 10;
constexpr int LargeScroll = 100;

// The sample's text is drawn on a key colour that differs from the font colour and then
// keyed out over the white background and its picture.
Color keyFor(Color fore)
{
    return (fore ^ 0x00FFFFFF) & 0x00FFFFFF;
}

// The pixels of a pane that shows them at zoom: as many as cover it.
int pixelsFor(int screenPixels, int zoom)
{
    return (std::max(screenPixels, 0) + zoom - 1) / zoom;
}

} // namespace

FontPreview::FontPreview(QWidget *parent)
    : QWidget(parent),
      mPanelFont(new QFrame(this)),
      mFontView(new SurfaceView(mPanelFont)),
      mGuide(new FontSheetGuide(mFontView)),
      mScroll(new QScrollBar(Qt::Horizontal, this)),
      mBar(new QWidget(this)),
      mSampleView(new SurfaceView(this)),
      mFirstPanel(mPanelFont),
      mSecondPanel(mSampleView),
      mBarAdapter(new WidgetBar(mBar, mResizer)),
      mZoom(new ZoomControl(MaxZoom, this))
{
    mPanelFont->setObjectName(QStringLiteral("picPanelFont"));
    mPanelFont->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    mPanelFont->setLineWidth(2);
    mFontView->setObjectName(QStringLiteral("picFont"));
    mFontView->setFrameStyle(QFrame::NoFrame);
    mScroll->setObjectName(QStringLiteral("hsbFont"));
    mBar->setObjectName(QStringLiteral("lblResizer"));
    mSampleView->setObjectName(QStringLiteral("picSample"));
    mSampleView->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    mSampleView->setLineWidth(2);

    // The design layout; the first layout fits picFont into its pane.
    mPanelFont->setGeometry(0, toPixels(GapTwips), 506, 60);
    mFontView->setGeometry(120 / TwipsPerPixel, 120 / TwipsPerPixel, 100, 20);
    mScroll->setGeometry(0, 45, 506, mScroll->sizeHint().height());
    mBar->setGeometry(0, 62, 506, toPixels(BarTwips));
    mSampleView->setGeometry(0, 65, 506, 277);
    mScroll->raise();

    connect(mScroll, &QScrollBar::valueChanged, this, &FontPreview::scrollSheet);
    connect(mZoom, &ZoomControl::zoomChanged, this, &FontPreview::zoomChanged);
    for (QWidget *pane :
         {static_cast<QWidget *>(mPanelFont), static_cast<QWidget *>(mFontView), static_cast<QWidget *>(mSampleView)})
        mZoom->watch(pane);
    connect(&mResizer, &Resizer::Resized, this, [this] {
        if (!mFitting)
            mChosenPosition = mResizer.Position();
        layoutPanes();
    });
    mResizer.InitHorizontal(&mFirstPanel, mBarAdapter, &mSecondPanel);
    mChosenPosition = mResizer.Position();
}

FontPreview::~FontPreview()
{
    mResizer.Release();
}

void FontPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPanes();
}

void FontPreview::layoutPanes()
{
    if (window()->isMinimized())
        return;
    const int gap = toPixels(GapTwips);
    const int barHeight = toPixels(BarTwips);
    const int panelHeight = mPanelFont->height();
    mPanelFont->setGeometry(0, gap, width(), panelHeight);

    const QRect inner = mPanelFont->contentsRect();
    const int sheetHeight = inner.height() - mScroll->height() + toPixels(GapTwips);
    const bool firstLayout = std::exchange(mFirstLayout, false);
    if (firstLayout)
        mFontView->setGeometry(inner.left(), inner.top(), inner.width(), sheetHeight);
    else
        mFontView->resize(mFontView->width(), std::max(sheetHeight, 0));
    mScroll->setGeometry(0, mPanelFont->y() + panelHeight - mScroll->height(), width(), mScroll->height());
    mSampleView->setGeometry(0, gap + panelHeight + barHeight, width(),
                             std::max(height() - (panelHeight + barHeight) - gap, 0));
    mResizer.Resize();
    // Drawn once every pane has its new size, so the drawings fill them.
    if (!firstLayout) {
        DrawFontSheet();
        DrawSample();
    }
}

void FontPreview::fitSheetPane(int lineHeight)
{
    // Only a change of the line's height moves the splitter, so a drag stays where it was left.
    if (mFirstLayout || lineHeight == mFittedLineHeight)
        return;
    mFittedLineHeight = lineHeight;
    const int aroundSheet = mPanelFont->height() - mFontView->height();
    const QScopedValueRollback fitting(mFitting, true);
    mResizer.ResizeFirstPanel(std::max(mChosenPosition, toTwips(lineHeight + aroundSheet)));
}

int FontPreview::wholeSheetWidth() const
{
    return mSheetTextWidth + mPanelFont->width() - mPanelFont->contentsRect().width();
}

void FontPreview::scrollSheet(int value)
{
    const QRect inner = mPanelFont->contentsRect();
    mFontView->move(inner.left() - value, inner.top());
}

void FontPreview::zoomChanged(int zoom)
{
    // The middle of the pane stays over the same part of the sheet; a sheet shown from its
    // start stays at its start.
    const int half = mPanelFont->contentsRect().width() / 2;
    const int value = mScroll->value();
    const qint64 middle = (qint64(value) + half) * zoom / mFontView->zoom();
    mFontView->setZoom(zoom);
    mSampleView->setZoom(zoom);
    DrawFontSheet();
    DrawSample();
    mScroll->setValue(value == 0 ? 0 : int(std::clamp<qint64>(middle - half, 0, mScroll->maximum())));
}

void FontPreview::setDocument(TexelFont *font)
{
    mFont = font;
    mMeasured = {};
}

const GlyphMeasurement &FontPreview::measured()
{
    return remeasured(mMeasured, *mFont, mMeasuringSurface);
}

bool FontPreview::DrawFontSheet()
{
    if (!mFont)
        return false;
    const int paneWidth = mPanelFont->contentsRect().width();
    const int zoom = mZoom->zoom();
    try {
        const FontSheetPainter::Layout layout = FontSheetPainter::draw(
            *mFont, measured(), mSheetSurface, pixelsFor(paneWidth, zoom), pixelsFor(mFontView->height(), zoom));
        const int shownWidth = layout.width * zoom;
        mFontView->resize(shownWidth, mFontView->height());
        if (layout.scrollable && shownWidth > paneWidth) {
            mScroll->setRange(0, shownWidth - paneWidth);
            mScroll->setSingleStep(SmallScroll * zoom);
            mScroll->setPageStep(LargeScroll * zoom);
            mScroll->setEnabled(true);
        } else {
            scrollSheet(0);
            mScroll->setEnabled(false);
        }
        mFontView->setPixels(mSheetSurface.image());
        mGuide->update(*mFont, mMeasured, layout, zoom);
        mSheetTextWidth = shownWidth;
        fitSheetPane(layout.height * zoom);
        return true;
    } catch (const Failure &failure) {
        mFontView->resize(paneWidth, mFontView->height());
        scrollSheet(0);
        mFontView->setMessage(failure.message());
        mGuide->clear();
        return false;
    }
}

bool FontPreview::DrawSample()
{
    if (!mFont)
        return false;
    const QSize shown = mSampleView->contentsRect().size();
    const int zoom = mZoom->zoom();
    const QSize size(pixelsFor(shown.width(), zoom), pixelsFor(shown.height(), zoom));
    try {
        if (mAsExported) {
            const QString folder = mOutputFolder ? mOutputFolder() : QString();
            mSampleView->setPixels(
                mExported.draw(*mFont, measured(), mExportSurface, folder, mSampleView->backgroundPicture()));
            return true;
        }
        mSampleSurface.setSize(size.width(), size.height());
        mSampleSurface.setBackColor(keyFor(mFont->Color));
        SamplePainter::draw(*mFont, measured(), mSampleSurface);
        mSampleView->setPixels(mSampleSurface.image(), keyFor(mFont->Color));
        return true;
    } catch (const Failure &failure) {
        mSampleView->setMessage(failure.message());
        return false;
    }
}

bool FontPreview::loadBackgroundPicture(const QString &path)
{
    try {
        mSampleView->setBackgroundPicture(readPictureFile(path));
        return true;
    } catch (const Failure &) {
        return false;
    }
}

void FontPreview::clearBackgroundPicture()
{
    mSampleView->clearBackgroundPicture();
}
