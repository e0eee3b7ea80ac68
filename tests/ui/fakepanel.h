#pragma once

#include "resizerbar.h"

#include <algorithm>

// A panel that records its geometry in twips and, like a widget, cannot be made smaller
// than its own minimum.
class FakePanel : public ResizerBar
{
public:
    FakePanel(qint32 left, qint32 top, qint32 width, qint32 height, qint32 smallest = 0)
        : mLeft(left), mTop(top), mWidth(width), mHeight(height), mSmallest(smallest) {}

    qint32 left() const override { return mLeft; }
    qint32 top() const override { return mTop; }
    qint32 width() const override { return mWidth; }
    qint32 height() const override { return mHeight; }
    void move(qint32 left, qint32 top, qint32 width, qint32 height) override
    {
        mLeft = left;
        mTop = top;
        mWidth = std::max(width, mSmallest);
        mHeight = std::max(height, mSmallest);
    }
    void setShade(Shade shade) override { mShade = shade; }
    QString name() const override { return QStringLiteral("lblResizer"); }
    QString parentName() const override { return QStringLiteral("frmTest"); }

    Shade shade() const { return mShade; }

private:
    qint32 mLeft, mTop, mWidth, mHeight, mSmallest;
    Shade mShade = Shade::Dragged;
};
