#include "windowhelpers.h"

#include "twips.h"

#include "failure.h"
#include "numbers.h"
#include "paths.h"
#include "settingsstore.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>

namespace {

const QString kSection = QStringLiteral("Forms");

QString formName(const QWidget *window)
{
    const QString name = window->objectName();
    return name.startsWith(QLatin1String("frm")) ? name.mid(3) : name;
}

// A stored coordinate: the leading number rounded halves to even; 0 when it is not a
// number or beyond 32 bits.
qint32 storedTwips(const QString &record, int field)
{
    try {
        return roundToInt32(leadingNumber(GetField(record, field, QStringLiteral(","))));
    } catch (const Failure &) {
        return 0;
    }
}

// Half the difference, rounded halves to even, never negative.
qint32 centred(qint32 screen, qint32 window)
{
    try {
        return std::max<qint32>(0, roundToInt32((double(screen) - window) / 2.0));
    } catch (const Failure &) {
        return 0;
    }
}

} // namespace

void EnableControl(QWidget *control, bool enabled)
{
    if (!control)
        return;
    const auto children = control->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (!child->isWindow())
            EnableControl(child, enabled);
    }
    control->setEnabled(enabled);
}

void SaveFormPosToRegistry(QWidget *window, SettingsStore &store)
{
    const QString name = formName(window);
    const Qt::WindowStates state = window->windowState();
    if (state & Qt::WindowMinimized)
        return;
    if (!(state & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const qint32 left = std::max(0, toTwips(window->x()));
        const qint32 top = std::max(0, toTwips(window->y()));
        const QString record = QStringLiteral("%1,%2,%3,%4")
                                   .arg(left)
                                   .arg(top)
                                   .arg(toTwips(window->width()))
                                   .arg(toTwips(window->height()));
        store.save(kSection, name + QStringLiteral(".Position"), record);
        store.save(kSection, name + QStringLiteral(".WindowState"), QStringLiteral("0"));
    } else {
        store.save(kSection, name + QStringLiteral(".WindowState"), QStringLiteral("2"));
    }
}

void SetFormPosFromRegistry(QWidget *window, SettingsStore &store)
{
    const QString name = formName(window);
    // Centred on the screen at the size the window has by then.
    const auto centre = [window] {
        QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->geometry() : QRect();
        return QPoint(area.left() + toPixels(centred(toTwips(area.width()), toTwips(window->width()))),
                      area.top() + toPixels(centred(toTwips(area.height()), toTwips(window->height()))));
    };

    const QString record = store.get(kSection, name + QStringLiteral(".Position"));
    if (record.isEmpty()) {
        window->move(centre());
    } else {
        const qint32 width = storedTwips(record, 3);
        const qint32 height = storedTwips(record, 4);
        window->resize(width == 0 ? window->width() : toPixels(width),
                       height == 0 ? window->height() : toPixels(height));
        const QPoint stored(toPixels(storedTwips(record, 1)), toPixels(storedTwips(record, 2)));
        // A position on a screen that is no longer there would hide the window.
        window->move(QGuiApplication::screenAt(stored + QPoint(8, 8)) ? stored : centre());
    }

    bool isNumber = false;
    const int state =
        store.get(kSection, name + QStringLiteral(".WindowState"), QStringLiteral("0")).trimmed().toInt(&isNumber);
    if (!isNumber)
        return;
    if (state == 2)
        window->setWindowState(Qt::WindowMaximized);
    else if (state == 1)
        window->setWindowState(Qt::WindowMinimized);
    else if (state == 0)
        window->setWindowState(Qt::WindowNoState);
}

void SetCaptionField(QWidget *window, const QString &text, int index)
{
    if (index < 1)
        return;
    QString shown = text;
    shown.replace(QLatin1Char('-'), QLatin1Char(' '))
        .replace(QLatin1Char('('), QLatin1Char('['))
        .replace(QLatin1Char(')'), QLatin1Char(']'));
    // Qt takes "[*]" in a title for its modified marker; doubled, it shows as itself.
    shown.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    window->setWindowTitle(SetField(shown, window->windowTitle(), index + 1, QStringLiteral(" - ")));
}

void showAsButtonFace(QWidget *control)
{
    QPalette palette = control->palette();
    const QColor face = palette.color(QPalette::Button);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, face);
    control->setPalette(palette);
}

void showAsReadOnly(QLineEdit *field)
{
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    field->setCursor(Qt::ArrowCursor);
    showAsButtonFace(field);
}
