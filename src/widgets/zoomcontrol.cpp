#include "zoomcontrol.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace {

// One notch of a mouse wheel.
constexpr int NotchAngle = 120;

QAction *newAction(const QString &text, const char *name, const QList<QKeySequence> &keys, QWidget *window)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcuts(keys);
    window->addAction(action);
    return action;
}

} // namespace

ZoomControl::ZoomControl(int maximum, QWidget *window)
    : QObject(window),
      mMaximum(std::max(maximum, 1)),
      mZoomIn(newAction(QStringLiteral("Zoom &in"), "actZoomIn",
                        {QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, window)),
      mZoomOut(newAction(QStringLiteral("Zoom &out"), "actZoomOut", {QKeySequence::ZoomOut}, window)),
      mActualSize(
          newAction(QStringLiteral("&Actual size"), "actZoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, window))
{
    connect(mZoomIn, &QAction::triggered, this, [this] { setZoom(mZoom + 1); });
    connect(mZoomOut, &QAction::triggered, this, [this] { setZoom(mZoom - 1); });
    connect(mActualSize, &QAction::triggered, this, [this] { setZoom(1); });
    showZoom();
}

void ZoomControl::setZoom(int zoom)
{
    zoom = std::clamp(zoom, 1, mMaximum);
    if (zoom == mZoom)
        return;
    mZoom = zoom;
    showZoom();
    emit zoomChanged(mZoom);
}

void ZoomControl::showZoom()
{
    mZoomIn->setEnabled(mZoom < mMaximum);
    mZoomOut->setEnabled(mZoom > 1);
    if (!mLevels.isEmpty())
        mLevels.at(mZoom - 1)->setChecked(true);
    for (QComboBox *box : std::as_const(mBoxes)) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(mZoom - 1);
    }
}

void ZoomControl::addToMenu(QMenu *menu)
{
    menu->addActions({mZoomIn, mZoomOut, mActualSize});
    menu->addSeparator();
    auto *group = new QActionGroup(this);
    for (int level = 1; level <= mMaximum; ++level) {
        QAction *item = group->addAction(QStringLiteral("%1x").arg(level));
        item->setObjectName(QStringLiteral("actZoom%1").arg(level));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, level] { setZoom(level); });
        mLevels.append(item);
    }
    menu->addActions(mLevels);
    showZoom();
}

QComboBox *ZoomControl::newComboBox(const QString &name, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    for (int level = 1; level <= mMaximum; ++level)
        box->addItem(QStringLiteral("%1x").arg(level));
    connect(box, &QComboBox::currentIndexChanged, this, [this](int index) { setZoom(index + 1); });
    connect(box, &QObject::destroyed, this, [this, box] { mBoxes.removeOne(box); });
    mBoxes.append(box);
    showZoom();
    return box;
}

void ZoomControl::watch(QWidget *pane)
{
    pane->installEventFilter(this);
}

bool ZoomControl::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    // Fine-grained wheels send parts of a notch; a step is taken once a notch adds up.
    mWheelAngle += wheel->angleDelta().y();
    const int steps = mWheelAngle / NotchAngle;
    mWheelAngle -= steps * NotchAngle;
    if (steps != 0)
        setZoom(mZoom + steps);
    wheel->accept();
    return true;
}
