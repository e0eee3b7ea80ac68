#include "frmconverter.h"

#include "browsebutton.h"
#include "codepagebox.h"
#include "controlarray.h"

#include "choosers.h"
#include "cnames.h"
#include "converter.h"
#include "csource.h"
#include "dialogservices.h"
#include "failure.h"
#include "icons.h"
#include "numbers.h"
#include "settingsstore.h"
#include "widgetfactory.h"
#include "windowhelpers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Convert");
const QString kSplitFiles = QStringLiteral("SplitFiles");

} // namespace

frmConverter::frmConverter(DialogServices &services, QWidget *parent)
    : QDialog(parent),
      mServices(services),
      mProgress(newProgressBar(this)),
      mFeedback(services.feedback, mProgress),
      mFilename(new QLineEdit(this)),
      mCFilename(new QLineEdit(this)),
      mVarName(new QLineEdit(this)),
      mSplit(new QCheckBox(QStringLiteral("Split in *.c and *.h files"), this)),
      mCodePage(new CodePageBox(QStringLiteral("cbxCodePage"), this)),
      mOk(new QPushButton(QStringLiteral("Ok"), this))
{
    setObjectName(QStringLiteral("frmConverter"));
    setWindowTitle(QStringLiteral("ZGF to C Converter"));
    setWindowIcon(parent ? parent->windowIcon() : programIcon());

    auto *intro =
        newIndexedLabel(QStringLiteral("This converter will convert ZGF font files into C sources files."), 0, this);
    auto *raw = newIndexedLabel(QStringLiteral("You can also use it as an universal raw converter."), 1, this);

    auto *frame = new QGroupBox(this);
    setControlIndex(frame, QStringLiteral("fraFrames"), 0);
    auto *fields = new QGridLayout(frame);
    const struct
    {
        QLineEdit *field;
        const char *name;
        QString label;
    } rows[] = {
        {mFilename, "txtFilename", QStringLiteral("Source file:")},
        {mCFilename, "txtCFilename", QStringLiteral("C filename:")},
        {mVarName, "txtVarName", QStringLiteral("Variable name:")},
    };
    for (int row = 0; row < 3; ++row) {
        QLineEdit *field = rows[row].field;
        field->setParent(frame);
        field->setObjectName(QLatin1String(rows[row].name));
        QLabel *label = newIndexedLabel(rows[row].label, row + 2, frame);
        label->setBuddy(field);
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        connect(field, &QLineEdit::textChanged, this, &frmConverter::updateOkState);
        if (row < 2) {
            showAsReadOnly(field);
            QToolButton *browse = newBrowseButton(row, frame);
            connect(browse, &QToolButton::clicked, this,
                    row == 0 ? &frmConverter::browseSource : &frmConverter::browseCFile);
            fields->addWidget(browse, row, 2);
        }
    }
    mSplit->setParent(frame);
    mSplit->setObjectName(QStringLiteral("chkSplit"));
    fields->addWidget(mSplit, 3, 1, 1, 2);
    mCodePage->setParent(frame);
    auto *codePageLabel = new QLabel(QStringLiteral("Code page:"), frame);
    codePageLabel->setBuddy(mCodePage);
    fields->addWidget(codePageLabel, 4, 0);
    fields->addWidget(mCodePage, 4, 1, Qt::AlignLeft);

    setControlIndex(mOk, QStringLiteral("cmdCommands"), 1);
    mOk->setDefault(true);
    connect(mOk, &QPushButton::clicked, this, &frmConverter::convert);
    auto *exitButton = new QPushButton(QStringLiteral("Exit"), this);
    setControlIndex(exitButton, QStringLiteral("cmdCommands"), 0);
    exitButton->setAutoDefault(false);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::reject);
    for (QPushButton *button : {mOk, exitButton})
        button->setMinimumWidth(90);

    auto *commands = new QHBoxLayout;
    commands->addWidget(mProgress, 1);
    commands->addStretch();
    commands->addWidget(mOk);
    commands->addWidget(exitButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(raw);
    layout->addWidget(frame);
    layout->addLayout(commands);
    setMinimumWidth(480);
    setMaximumHeight(sizeHint().height());

    mSplit->setChecked(mServices.store.getBool(kSection, kSplitFiles, false));
    updateOkState();
}

frmConverter::~frmConverter() = default;

void frmConverter::browseSource()
{
    const QString chosen = mServices.choosers.openFileName(
        this,
        {QStringLiteral("Velmora Font (*.zgf)|*.zgf|All files (*.*)|*.*"), QStringLiteral(".zgf"), mFilename->text()});
    if (!chosen.isEmpty())
        mFilename->setText(chosen);
    // Also after a cancel: the names follow the file as it is now.
    deriveNames();
}

void frmConverter::browseCFile()
{
    const QString chosen = mServices.choosers.saveFileName(
        this, {QStringLiteral("C header file (*.h)|*.h"), QStringLiteral(".h"), mCFilename->text()});
    if (!chosen.isEmpty())
        mCFilename->setText(chosen);
}

void frmConverter::deriveNames()
{
    const QString path = mFilename->text();
    if (path.trimmed().isEmpty())
        return;
    const QString name = derivedVariableName(path, mFeedback);
    mVarName->setText(name);
    mCFilename->setText(cFileNameBeside(path, name));
}

void frmConverter::updateOkState()
{
    mOk->setEnabled(!mFilename->text().trimmed().isEmpty() && !mCFilename->text().trimmed().isEmpty()
                    && !mVarName->text().trimmed().isEmpty());
}

void frmConverter::convert()
{
    if (!mOk->isEnabled())
        return;
    const bool split = mSplit->isChecked();
    try {
        mServices.store.saveBool(kSection, kSplitFiles, split);
    } catch (const Failure &failure) {
        // The option is a convenience; the conversion still runs.
        mFeedback.fail(failure.message());
    }
    mCFilename->setText(headerFileName(mCFilename->text()));
    mVarName->setText(typedVariableName(mVarName->text()));
    try {
        reportCSourceWritten(convertToCSource(mFilename->text(), mCFilename->text(), mVarName->text(), split, mFeedback,
                                              localeGroupSeparator(), mCodePage->page()),
                             mFeedback);
    } catch (const Failure &failure) {
        showFailure(failure, mFeedback);
    }
}
