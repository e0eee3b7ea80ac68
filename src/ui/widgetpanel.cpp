#include "widgetpanel.h"

#include "twips.h"

qint32 WidgetPanel::left() const
{
    return mWidget ? toTwips(mWidget->x()) : 0;
}

qint32 WidgetPanel::top() const
{
    return mWidget ? toTwips(mWidget->y()) : 0;
}

qint32 WidgetPanel::width() const
{
    return mWidget ? toTwips(mWidget->width()) : 0;
}

qint32 WidgetPanel::height() const
{
    return mWidget ? toTwips(mWidget->height()) : 0;
}

void WidgetPanel::move(qint32 left, qint32 top, qint32 width, qint32 height)
{
    // The widget bounds the size by its minimum; a negative size becomes that minimum.
    if (mWidget)
        mWidget->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}
