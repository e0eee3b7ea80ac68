#include "frmviewer.h"

#include "browsebutton.h"
#include "codepagebox.h"
#include "colorswatch.h"
#include "controlarray.h"
#include "gripsplitter.h"
#include "zgfchargrid.h"
#include "zgffacts.h"
#include "zoomcontrol.h"
#include "zoomview.h"

#include "choosers.h"
#include "dialogservices.h"
#include "feedback.h"
#include "failure.h"
#include "icons.h"
#include "windowhelpers.h"
#include "zgfpictures.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kFilter = QStringLiteral("Velmora Font (*.zgf)|*.zgf|All files (*.*)|*.*");
const QString kDefaultSample = QStringLiteral("The quick brown fox jumps over the lazy dog.\n0123456789");
constexpr int MaxZoom = 8;
// The tallest a strip's pane grows before it scrolls.
constexpr int MaxStripHeight = 160;
// The Characters pane's smallest height, when a row of cells is taller than the screen's room.
constexpr int MinCharAreaHeight = 80;

// Small fonts start enlarged, so that a glyph is at least about 32 pixels tall.
int defaultZoom(int imageHeight)
{
    return std::clamp(32 / std::max(imageHeight, 1), 1, 4);
}

QScrollArea *newArea(QWidget *contents, bool resizable, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setWidget(contents);
    area->setWidgetResizable(resizable);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setBackgroundRole(QPalette::Dark);
    return area;
}

// The pane as tall as its strip and a horizontal scroll bar, up to MaxStripHeight.
void fitStripArea(QScrollArea *area, const ZoomView *view)
{
    const int frame = 2 * area->frameWidth();
    const int bar = area->horizontalScrollBar()->sizeHint().height();
    area->setFixedHeight(std::min(view->sizeHint().height() + frame + bar, MaxStripHeight));
}

} // namespace

frmViewer::frmViewer(DialogServices &services, QWidget *parent)
    : QDialog(parent),
      mServices(services),
      mFilename(new QLineEdit(this)),
      mOffset(new QLabel(this)),
      mFacts(nullptr),
      mZoom(new ZoomControl(MaxZoom, this)),
      mGlyphView(new ZoomView),
      mGlyphArea(newArea(mGlyphView, false, this)),
      mMaskFrame(new QGroupBox(QStringLiteral("Mask"), this)),
      mMaskView(new ZoomView),
      mMaskArea(newArea(mMaskView, false, mMaskFrame)),
      mPanes(new GripSplitter(this)),
      mCharFrame(new QGroupBox(QStringLiteral("Characters"), this)),
      mChars(new ZgfCharGrid),
      mCharArea(newArea(mChars, true, mCharFrame)),
      mCharacter(new QLabel(this)),
      mSampleText(new QPlainTextEdit(kDefaultSample, this)),
      mChecker(new QRadioButton(QStringLiteral("C&hequerboard"), this)),
      mPlain(new QRadioButton(QStringLiteral("Co&lour:"), this)),
      mBackColor(new ColorSwatch(true, this)),
      mSampleView(new ZoomView),
      mSampleMessage(new QLabel(this))
{
    setObjectName(QStringLiteral("frmViewer"));
    setWindowTitle(QStringLiteral("ZGF Font Viewer"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());
    setSizeGripEnabled(true);

    // The file.
    auto *fileLabel = new QLabel(QStringLiteral("Font file:"), this);
    mFilename->setObjectName(QStringLiteral("txtFilename"));
    showAsReadOnly(mFilename);
    fileLabel->setBuddy(mFilename);
    mOffset->setObjectName(QStringLiteral("lblOffset"));
    mOffset->hide();
    QToolButton *browse = newBrowseButton(0, this);
    browse->setToolTip(QStringLiteral("Open a ZGF font file"));
    connect(browse, &QToolButton::clicked, this, &frmViewer::browse);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(fileLabel);
    fileRow->addWidget(mFilename, 1);
    fileRow->addWidget(mOffset);
    fileRow->addWidget(browse);

    // The header's facts.
    auto *header = new QGroupBox(QStringLiteral("Header"), this);
    header->setObjectName(QStringLiteral("fraHeader"));
    auto *headerLayout = new QVBoxLayout(header);
    auto *factsWidget = new QWidget(header);
    factsWidget->setObjectName(QStringLiteral("picFacts"));
    mFacts = new QGridLayout(factsWidget);
    mFacts->setContentsMargins(0, 0, 0, 0);
    mFacts->setHorizontalSpacing(10);
    mFacts->setColumnStretch(1, 1);
    headerLayout->addWidget(factsWidget);
    headerLayout->addStretch();
    header->setMinimumWidth(300);

    // The zoom.
    auto *zoomLabel = new QLabel(QStringLiteral("&Zoom:"), this);
    QComboBox *zoomBox = mZoom->newComboBox(QStringLiteral("cbxZoom"), this);
    zoomLabel->setBuddy(zoomBox);
    connect(mZoom, &ZoomControl::zoomChanged, this, &frmViewer::applyZoom);
    auto *zoomRow = new QHBoxLayout;
    zoomRow->addWidget(zoomLabel);
    zoomRow->addWidget(zoomBox);
    zoomRow->addSpacing(16);
    auto *codePageLabel = new QLabel(QStringLiteral("Code &page:"), this);
    mCodePage = new CodePageBox(QStringLiteral("cbxCodePage"), this);
    codePageLabel->setBuddy(mCodePage);
    connect(mCodePage, &QComboBox::currentIndexChanged, this, &frmViewer::applyCodePage);
    zoomRow->addWidget(codePageLabel);
    zoomRow->addWidget(mCodePage);
    zoomRow->addStretch();

    // The glyph image and the mask.
    auto *glyphFrame = new QGroupBox(QStringLiteral("Glyph image"), this);
    mGlyphView->setObjectName(QStringLiteral("picGlyphs"));
    mGlyphArea->setParent(glyphFrame);
    (new QVBoxLayout(glyphFrame))->addWidget(mGlyphArea);
    mMaskView->setObjectName(QStringLiteral("picMask"));
    mMaskFrame->setObjectName(QStringLiteral("fraMask"));
    (new QVBoxLayout(mMaskFrame))->addWidget(mMaskArea);

    // The character table.
    mChars->setObjectName(QStringLiteral("picChars"));
    mCharArea->setBackgroundRole(QPalette::Base);
    mCharArea->setMinimumHeight(MinCharAreaHeight);
    mCharacter->setObjectName(QStringLiteral("lblCharacter"));
    mCharacter->setText(QStringLiteral("Point at a character to see its code, width and indents."));
    connect(mChars, &ZgfCharGrid::hovered, this, [this](int index) {
        mCharacter->setText(index >= 0 && mFont
                                ? ZgfFacts::character(*mFont, index)
                                : QStringLiteral("Point at a character to see its code, width and indents."));
    });
    auto *charLayout = new QVBoxLayout(mCharFrame);
    charLayout->addWidget(mCharArea, 1);
    charLayout->addWidget(mCharacter);

    // The sample.
    auto *sampleFrame = new QGroupBox(QStringLiteral("Sample"), this);
    auto *sampleLabel = new QLabel(QStringLiteral("&Text:"), sampleFrame);
    mSampleText->setParent(sampleFrame);
    mSampleText->setObjectName(QStringLiteral("txtSample"));
    mSampleText->setTabChangesFocus(true);
    mSampleText->setFixedHeight(mSampleText->fontMetrics().lineSpacing() * 3 + 12);
    sampleLabel->setBuddy(mSampleText);
    connect(mSampleText, &QPlainTextEdit::textChanged, this, &frmViewer::drawSample);
    auto *backLabel = new QLabel(QStringLiteral("Background:"), sampleFrame);
    mChecker->setObjectName(QStringLiteral("optChecker"));
    mPlain->setObjectName(QStringLiteral("optColor"));
    mChecker->setChecked(true);
    mBackColor->setObjectName(QStringLiteral("lblBackColor"));
    mBackColor->setColor(0xFFFFFF);
    mBackColor->setToolTip(QStringLiteral("Choose the colour behind the text"));
    connect(mChecker, &QRadioButton::toggled, this, &frmViewer::drawSample);
    connect(mBackColor, &ColorSwatch::clicked, this, &frmViewer::chooseBackColor);
    mSampleView->setObjectName(QStringLiteral("picSample"));
    auto *sampleArea = newArea(mSampleView, false, sampleFrame);
    sampleArea->setBackgroundRole(QPalette::Base);
    sampleArea->setMinimumHeight(60);
    mSampleMessage->setObjectName(QStringLiteral("lblSampleMessage"));
    mSampleMessage->setWordWrap(true);
    mSampleMessage->hide();

    auto *backRow = new QHBoxLayout;
    backRow->addWidget(backLabel);
    backRow->addWidget(mChecker);
    backRow->addWidget(mPlain);
    backRow->addWidget(mBackColor);
    backRow->addStretch();
    auto *sampleLayout = new QGridLayout(sampleFrame);
    sampleLayout->addWidget(sampleLabel, 0, 0, Qt::AlignTop);
    sampleLayout->addWidget(mSampleText, 0, 1);
    sampleLayout->addLayout(backRow, 1, 1);
    sampleLayout->addWidget(sampleArea, 2, 0, 1, 2);
    sampleLayout->addWidget(mSampleMessage, 3, 0, 1, 2);
    sampleLayout->setRowStretch(2, 1);

    // The panes on the right share the height that the strips leave; the sample takes what
    // the window gains or loses, so the Characters pane keeps its height.
    mPanes->setChildrenCollapsible(false);
    mPanes->addWidget(mCharFrame);
    mPanes->addWidget(sampleFrame);
    mPanes->setStretchFactor(0, 0);
    mPanes->setStretchFactor(1, 1);
    mPanes->installEventFilter(this);
    connect(mPanes, &QSplitter::splitterMoved, this, [this] { mChosenCharHeight = mPanes->sizes().value(0); });
    auto *right = new QVBoxLayout;
    right->addLayout(zoomRow);
    right->addWidget(glyphFrame);
    right->addWidget(mMaskFrame);
    right->addWidget(mPanes, 1);

    auto *body = new QHBoxLayout;
    body->addWidget(header);
    body->addLayout(right, 1);

    auto *exitButton = new QPushButton(QStringLiteral("Exit"), this);
    setControlIndex(exitButton, QStringLiteral("cmdCommands"), 0);
    exitButton->setMinimumWidth(90);
    exitButton->setAutoDefault(false);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    auto *commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(exitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(body, 1);
    layout->addLayout(commands);
    resize(960, 700);

    for (QWidget *pane : {static_cast<QWidget *>(mGlyphView), static_cast<QWidget *>(mGlyphArea->viewport()),
                          static_cast<QWidget *>(mMaskView), static_cast<QWidget *>(mMaskArea->viewport()),
                          static_cast<QWidget *>(mChars), static_cast<QWidget *>(mSampleView),
                          static_cast<QWidget *>(sampleArea->viewport())})
        mZoom->watch(pane);
    mMaskFrame->hide();
    fitStripArea(mGlyphArea, mGlyphView);
}

frmViewer::~frmViewer() = default;

bool frmViewer::openFile(const QString &path)
{
    return open(path, 0);
}

bool frmViewer::openEmbedded(const QString &path, qint64 offset)
{
    return open(path, offset);
}

bool frmViewer::open(const QString &path, qint64 offset)
{
    std::optional<ZgfFont> font;
    QString failure;
    {
        BusyGuard busy(mServices.feedback);
        try {
            font = ZgfFont::readFile(path, offset);
        } catch (const Failure &f) {
            failure = f.message();
        }
    }
    if (!font) {
        mServices.feedback.fail(failure);
        return false;
    }
    mFont = std::move(font);
    mFont->setCodePage(mCodePage->page());
    mGlyphs = ZgfPictures::glyphImage(*mFont);
    mMask = ZgfPictures::maskImage(*mFont);
    mFilename->setText(path);
    mOffset->setText(QStringLiteral("at offset %1").arg(offset));
    mOffset->setVisible(offset != 0);
    SetCaptionField(this, QStringLiteral("%1 %2").arg(mFont->header().faceNameText()).arg(mFont->header().PointSize),
                    1);

    showFacts();
    mGlyphView->setImage(mGlyphs);
    mMaskView->setImage(mMask);
    mMaskFrame->setVisible(mFont->hasMask());
    mChars->setZgfFont(mFont, mGlyphs);
    // Setting the zoom draws the strips and the sample at it.
    const int zoom = defaultZoom(mFont->imageHeight());
    if (zoom == this->zoom())
        applyZoom();
    else
        setZoom(zoom);
    drawSample();
    return true;
}

void frmViewer::showFacts()
{
    while (QLayoutItem *item = mFacts->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<ZgfFacts::Line> lines = ZgfFacts::of(*mFont);
    QWidget *owner = mFacts->parentWidget();
    for (int row = 0; row < lines.size(); ++row) {
        auto *label = new QLabel(lines.at(row).label + QLatin1Char(':'), owner);
        auto *value = new QLabel(lines.at(row).value, owner);
        value->setObjectName(QStringLiteral("lblFact_%1").arg(row));
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        mFacts->addWidget(label, row, 0, Qt::AlignTop);
        mFacts->addWidget(value, row, 1, Qt::AlignTop);
    }
}

int frmViewer::zoom() const
{
    return mZoom->zoom();
}

void frmViewer::setZoom(int zoom)
{
    mZoom->setZoom(zoom);
}

void frmViewer::applyZoom()
{
    const int factor = zoom();
    mGlyphView->setZoom(factor);
    mMaskView->setZoom(factor);
    mChars->setZoom(factor);
    mSampleView->setZoom(factor);
    fitStripArea(mGlyphArea, mGlyphView);
    fitStripArea(mMaskArea, mMaskView);
    mRefitPanes = true;
    QMetaObject::invokeMethod(this, &frmViewer::fitCharacterPane, Qt::QueuedConnection);
}

void frmViewer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The Characters pane starts with half the height.
    if (mChosenCharHeight == 0) {
        const QList<int> sizes = mPanes->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        mChosenCharHeight = total / 2;
        mPanes->setSizes({mChosenCharHeight, total - mChosenCharHeight});
    }
    fitCharacterPane();
}

bool frmViewer::eventFilter(QObject *watched, QEvent *event)
{
    // The strips take their new heights from the panes after the zoom has changed, and the
    // window's size changes them: the pane is fitted again once the splitter has its size.
    if (watched == mPanes && event->type() == QEvent::Resize)
        QMetaObject::invokeMethod(this, &frmViewer::fitCharacterPane, Qt::QueuedConnection);
    return QDialog::eventFilter(watched, event);
}

void frmViewer::fitCharacterPane()
{
    if (!isVisible() || mChosenCharHeight == 0)
        return;
    // At least a whole row of cells, as far as the screen has room below the window's top;
    // the window grows to hold it, and the splitter keeps it.
    const int room = screen() ? screen()->availableGeometry().bottom() + 1 - frameGeometry().top() : 0;
    const int others = frameGeometry().height() - mCharArea->height();
    const int row = mChars->cellSize().height() + 2 * mCharArea->frameWidth();
    mCharArea->setMinimumHeight(std::clamp(row, MinCharAreaHeight, std::max(room - others, MinCharAreaHeight)));
    // After a change of the zoom or the font: the height last chosen, or more for that row.
    if (std::exchange(mRefitPanes, false)) {
        const QList<int> sizes = mPanes->sizes();
        const int total = sizes.value(0) + sizes.value(1);
        const int wanted = std::max(mChosenCharHeight, row + mCharFrame->height() - mCharArea->height());
        mPanes->setSizes({wanted, total - wanted});
    }
}

void frmViewer::setCodePage(CodePage page)
{
    mCodePage->setPage(page);
}

void frmViewer::applyCodePage()
{
    if (!mFont)
        return;
    mFont->setCodePage(mCodePage->page());
    showFacts();
    mChars->setZgfFont(mFont, mGlyphs);
    drawSample();
}

void frmViewer::browse()
{
    const QString chosen = mServices.choosers.openFileName(this, {kFilter, QStringLiteral(".zgf"), mFilename->text()});
    if (!chosen.isEmpty())
        openFile(chosen);
}

std::optional<Color> frmViewer::sampleBackground() const
{
    if (mChecker->isChecked())
        return std::nullopt;
    return mBackColor->color();
}

void frmViewer::drawSample()
{
    if (!mFont)
        return;
    try {
        mSample = ZgfPictures::textImage(*mFont, mSampleText->toPlainText(), sampleBackground());
        mSampleMessage->hide();
    } catch (const Failure &failure) {
        mSample = QImage();
        mSampleMessage->setText(failure.message());
        mSampleMessage->show();
    }
    mSampleView->setImage(mSample);
}

void frmViewer::chooseBackColor()
{
    if (const std::optional<Color> chosen = mServices.choosers.chooseColor(this, mBackColor->color())) {
        mBackColor->setColor(*chosen);
        if (mPlain->isChecked())
            drawSample();
        else
            mPlain->setChecked(true);
    }
}
