#pragma once

#include <QList>

#include <span>

// The ink of one drawn text: for each row of its box, the runs of ink pixels, left to right.
// A Surface paints it in its drawing colour (Surface::paintInk).
class InkImage
{
public:
    struct Run
    {
        int x = 0; // from the box's left edge
        int length = 0;
    };

    InkImage() = default;
    explicit InkImage(int width) : mWidth(width) {}

    int width() const { return mWidth; }
    int height() const { return int(mRowEnds.size()); }
    // Rows are added top to bottom, each run to the row last begun.
    void beginRow() { mRowEnds.append(mRuns.size()); }
    void addRun(int x, int length)
    {
        mRuns.append({x, length});
        mRowEnds.last() = mRuns.size();
    }
    std::span<const Run> row(int y) const
    {
        const qsizetype begin = y == 0 ? 0 : mRowEnds.at(y - 1);
        return {mRuns.constData() + begin, size_t(mRowEnds.at(y) - begin)};
    }

private:
    int mWidth = 0;
    QList<Run> mRuns;
    QList<qsizetype> mRowEnds; // where each row's runs end in mRuns
};
