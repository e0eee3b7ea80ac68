#include "frmabout.h"

#include "icons.h"
#include "version.h"
#include "widgetfactory.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    const QIcon icon = parent ? parent->windowIcon() : programIcon();
    setWindowIcon(icon);
    const QString product = QString::fromUtf8(Version::Product);
    setWindowTitle(QStringLiteral("About ") + product);

    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("imgIcon"));
    image->setPixmap(programIcon().pixmap(32, 32));
    image->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto *productLabel = new QLabel(this);
    productLabel->setObjectName(QStringLiteral("lblProduct"));
    productLabel->setFont(font);
    productLabel->setText(
        product + QStringLiteral(" v%1.%2.%3").arg(Version::Major).arg(Version::Minor).arg(Version::Revision));

    auto *comments = new QLabel(this);
    comments->setObjectName(QStringLiteral("lblComments"));
    comments->setFont(font);
    comments->setWordWrap(true);
    comments->setFixedWidth(260);
    comments->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    comments->setText(commentsText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

    QFrame *rule = newRule(this);
    QPushButton *ok = newCommand(QStringLiteral("Ok"), 0, this);
    ok->setDefault(true);
    ok->setMinimumWidth(65);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(12);
    layout->addWidget(image, 0, 0);
    layout->addWidget(productLabel, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    layout->addWidget(comments, 1, 0, 1, 2);
    layout->addWidget(rule, 2, 0, 1, 2);
    layout->addWidget(ok, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString frmAbout::commentsText()
{
    const QString crLf = QStringLiteral("\r\n");
    QString legal = QString::fromUtf8(Version::LegalNotice);
    legal.replace(QStringLiteral(". "), crLf);
    return QString::fromUtf8(Version::Description) + crLf + crLf + legal + crLf + crLf
        + QString::fromUtf8(Version::Comments);
}
