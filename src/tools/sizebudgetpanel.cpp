#include "sizebudgetpanel.h"

#include "failure.h"
#include "measuredfont.h"
#include "numbers.h"

#include <QGridLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const char *const kCodings[2] = {"RAW", "RLE"};
const char *const kParts[3] = {"GlyphImage", "Mask", "Total"};

} // namespace

SizeBudgetPanel::SizeBudgetPanel(QWidget *parent)
    : QGroupBox(QStringLiteral("Size of the .ZGF file in bytes"), parent),
      mPages(new QStackedWidget(this)),
      mNote(new QLabel(this))
{
    setObjectName(QStringLiteral("fraSizeBudget"));
    mTimer.setSingleShot(true);
    mTimer.setInterval(DelayMs);
    connect(&mTimer, &QTimer::timeout, this, &SizeBudgetPanel::compute);

    auto *table = new QWidget(mPages);
    auto *grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(2);
    const QString rows[3] = {QStringLiteral("Glyph image:"), QStringLiteral("Alpha mask:"), QStringLiteral("Total:")};
    for (int r = 0; r < 3; ++r)
        grid->addWidget(new QLabel(rows[r], table), r + 1, 0);
    for (int c = 0; c < 2; ++c) {
        mHeads[c] = new QLabel(QLatin1String(kCodings[c]), table);
        mHeads[c]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(mHeads[c], 0, c + 1);
        for (int r = 0; r < 3; ++r) {
            mCells[c][r] = new QLabel(table);
            mCells[c][r]->setObjectName(
                QStringLiteral("lblSize%1%2").arg(QLatin1String(kCodings[c]), QLatin1String(kParts[r])));
            mCells[c][r]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            mCells[c][r]->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(mCells[c][r], r + 1, c + 1);
        }
    }
    grid->setColumnStretch(3, 1);
    mNote->setObjectName(QStringLiteral("lblSizeNote"));
    mNote->setWordWrap(true);
    mNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mPages->addWidget(table);
    mPages->addWidget(mNote);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mPages);
    showBudget();
}

void SizeBudgetPanel::setSource(TexelFont *font, std::function<ZgfBuildInput()> input)
{
    mFont = font;
    mInput = std::move(input);
}

void SizeBudgetPanel::schedule()
{
    mTimer.start();
}

void SizeBudgetPanel::compute()
{
    mTimer.stop();
    if (!mFont)
        return;
    try {
        mBudget =
            zgfSizeBudget(*mFont, remeasured(mMeasured, *mFont, mWork), mWork, mInput ? mInput() : ZgfBuildInput{});
        mNote->clear();
    } catch (const Failure &failure) {
        mBudget.reset();
        // Before the bitmap export the edited bitmaps are missing: that is no fault.
        mNote->setText(failure.number == Failure::FileNotFound
                           ? QStringLiteral("Sizes are shown once the edited bitmaps exist")
                           : QStringLiteral("Sizes not known: ") + failure.message());
    }
    showBudget();
}

void SizeBudgetPanel::setRle(bool rle)
{
    mRle = rle;
    showBudget();
}

void SizeBudgetPanel::showBudget()
{
    const QChar separator = localeGroupSeparator();
    for (int c = 0; c < 2; ++c) {
        const ZgfPartSizes *sizes = mBudget ? (c == 0 ? &mBudget->raw : &mBudget->rle) : nullptr;
        const qint64 values[3] = {sizes ? sizes->glyphImage : 0, sizes ? sizes->mask : 0, sizes ? sizes->total : 0};
        const bool chosen = (c == 1) == mRle;
        QFont look = font();
        look.setBold(chosen);
        mHeads[c]->setFont(look);
        for (int r = 0; r < 3; ++r) {
            mCells[c][r]->setFont(look);
            mCells[c][r]->setText(sizes ? formatGrouped(values[r], separator) : QString());
        }
    }
    mPages->setCurrentIndex(mBudget || mNote->text().isEmpty() ? 0 : 1);
}
