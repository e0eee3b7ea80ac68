#include "frmextractor.h"

#include "browsebutton.h"
#include "controlarray.h"

#include "choosers.h"
#include "dialogservices.h"
#include "fontextractor.h"
#include "frmviewer.h"
#include "icons.h"
#include "widgetfactory.h"
#include "windowhelpers.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn, OffsetColumn, SizeColumn };

// The offset and the size travel with the row, so its texts are for show only.
constexpr int OffsetRole = Qt::UserRole;
constexpr int SizeRole = Qt::UserRole + 1;

} // namespace

frmExtractor::frmExtractor(DialogServices &services, QWidget *parent)
    : QDialog(parent),
      mServices(services),
      mProgress(newProgressBar(this)),
      mFeedback(services.feedback, mProgress),
      mFilename(new QLineEdit(this)),
      mFonts(new QTreeWidget(this)),
      mExtract(new QPushButton(QStringLiteral("Extract font..."), this)),
      mView(new QPushButton(QStringLiteral("View"), this))
{
    setObjectName(QStringLiteral("frmExtractor"));
    setWindowTitle(QStringLiteral("ZGF Font Extractor"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());

    auto *intro = newIndexedLabel(QStringLiteral("This ZGF font extractor is designed to extract ZGF fonts "
                                                 "embedded in other files like compiled programs (.gxb, .fxe, ...)"),
                                  0, this);
    intro->setWordWrap(true);
    auto *warning = newIndexedLabel(
        QStringLiteral("To work correctly, the file must be not encrypted and not compressed."), 1, this);
    warning->setWordWrap(true);

    auto *frame = new QGroupBox(this);
    setControlIndex(frame, QStringLiteral("fraFrames"), 0);
    auto *sourceLabel = newIndexedLabel(QStringLiteral("Source file:"), 2, frame);
    mFilename->setParent(frame);
    mFilename->setObjectName(QStringLiteral("txtFilename"));
    showAsReadOnly(mFilename);
    sourceLabel->setBuddy(mFilename);
    QToolButton *browse = newBrowseButton(0, frame);
    connect(browse, &QToolButton::clicked, this, &frmExtractor::browse);

    auto *listLabel = newIndexedLabel(QStringLiteral("ZGF fonts found in the file:"), 3, frame);
    mFonts->setParent(frame);
    mFonts->setObjectName(QStringLiteral("lvwFonts"));
    listLabel->setBuddy(mFonts);
    mFonts->setHeaderLabels({QStringLiteral("Font name"), QStringLiteral("Offset"), QStringLiteral("Size")});
    mFonts->setRootIsDecorated(false);
    mFonts->setUniformRowHeights(true);
    mFonts->setAllColumnsShowFocus(true);
    mFonts->setSelectionMode(QAbstractItemView::SingleSelection);
    mFonts->headerItem()->setTextAlignment(OffsetColumn, Qt::AlignRight | Qt::AlignVCenter);
    mFonts->headerItem()->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    QHeaderView *header = mFonts->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16;
    header->resizeSection(OffsetColumn, numberWidth);
    header->resizeSection(SizeColumn, numberWidth);
    connect(mFonts->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmExtractor::updateCommands);

    auto *frameLayout = new QGridLayout(frame);
    frameLayout->addWidget(sourceLabel, 0, 0);
    frameLayout->addWidget(mFilename, 0, 1);
    frameLayout->addWidget(browse, 0, 2);
    frameLayout->addWidget(listLabel, 1, 0, 1, 3);
    frameLayout->addWidget(mFonts, 2, 0, 1, 3);
    frameLayout->setRowStretch(2, 1);

    setControlIndex(mExtract, QStringLiteral("cmdCommands"), 1);
    connect(mExtract, &QPushButton::clicked, this, &frmExtractor::extractFont);
    auto *exitButton = new QPushButton(QStringLiteral("Exit"), this);
    setControlIndex(exitButton, QStringLiteral("cmdCommands"), 0);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    setControlIndex(mView, QStringLiteral("cmdCommands"), 2);
    mView->setToolTip(QStringLiteral("Show the selected font in the ZGF font viewer"));
    connect(mView, &QPushButton::clicked, this, &frmExtractor::viewFont);
    for (QPushButton *button : {mView, mExtract, exitButton})
        button->setMinimumWidth(90);

    auto *commands = new QHBoxLayout;
    commands->addWidget(mProgress, 1);
    commands->addStretch();
    commands->addWidget(mView);
    commands->addWidget(mExtract);
    commands->addWidget(exitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(warning);
    layout->addWidget(frame, 1);
    layout->addLayout(commands);
    setMinimumWidth(480);
    resize(520, 400);

    updateCommands();
}

frmExtractor::~frmExtractor() = default;

std::optional<FoundFont> frmExtractor::selectedFont() const
{
    const QList<QTreeWidgetItem *> selected = mFonts->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const QTreeWidgetItem *row = selected.constFirst();
    return FoundFont{row->text(NameColumn), row->data(OffsetColumn, OffsetRole).toLongLong(),
                     row->data(SizeColumn, SizeRole).toInt()};
}

QString frmExtractor::sourcePath() const
{
    return mFilename->text();
}

void frmExtractor::browse()
{
    const QString chosen = mServices.choosers.openFileName(
        this,
        {QStringLiteral("GP32 executable file (*.gxb;*fxe)|*.gxb;*.fxe|All files (*.*)|*.*"), QStringLiteral(".fxe"),
         mFilename->text()});
    if (chosen.isEmpty())
        return;
    mFilename->setText(chosen);
    scanFile();
}

void frmExtractor::updateCommands()
{
    mExtract->setEnabled(!mFonts->selectedItems().isEmpty());
    mView->setEnabled(mExtract->isEnabled());
}

void frmExtractor::scanFile()
{
    mFonts->clear();
    const QList<FoundFont> found = ScanFile(mFilename->text(), mFeedback);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(found.size());
    for (const FoundFont &font : found) {
        auto *row = new QTreeWidgetItem({font.name, QString::number(font.offset), QString::number(font.size)});
        row->setData(OffsetColumn, OffsetRole, qlonglong(font.offset));
        row->setData(SizeColumn, SizeRole, font.size);
        row->setTextAlignment(OffsetColumn, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
        rows.append(row);
    }
    mFonts->addTopLevelItems(rows);
}

void frmExtractor::extractFont()
{
    const std::optional<FoundFont> font = selectedFont();
    if (!font)
        return;
    const QString destination = mServices.choosers.saveFileName(
        this, {QStringLiteral("Velmora Font (*.zgf)|*.zgf"), QStringLiteral(".zgf"), extractedFileName(*font)});
    if (destination.isEmpty())
        return;
    ExtractFont(mFilename->text(), font->offset, font->size, destination, mFeedback);
}

void frmExtractor::viewFont()
{
    const std::optional<FoundFont> font = selectedFont();
    if (!font)
        return;
    frmViewer viewer(mServices, this);
    if (viewer.openEmbedded(mFilename->text(), font->offset))
        viewer.exec();
}
