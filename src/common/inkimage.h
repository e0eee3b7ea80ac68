#pragma once

#include <QtGlobal>

#include <cstddef>
#include <vector>

// The ink of one drawn text in its box: the runs of ink pixels, row by row from the top, each
// row left to right. A Surface paints it in its drawing colour (Surface::paintInk). The ink of
// a smooth font also has a level of coverage, 1..31, for each of its pixels.
class InkImage
{
public:
    InkImage() = default;
    InkImage(int width, int height) : mWidth(width), mHeight(height) { mRuns.reserve(6 * std::size_t(height)); }

    int width() const { return mWidth; }
    int height() const { return mHeight; }

    // Adds length pixels from column x of row y; rows and runs come in order.
    void addRun(int y, int x, int length)
    {
        mRuns.push_back(y);
        mRuns.push_back(x);
        mRuns.push_back(length);
    }

    // Adds the level of the next pixel of the runs; an image has a level for every pixel or
    // for none.
    void addLevel(quint8 level) { mLevels.push_back(level); }
    bool hasLevels() const { return !mLevels.empty(); }

    // Calls f(y, x, length, levels) for every run, in order; levels points to the run's
    // levels, or is null when the image has none.
    template <typename F>
    void forEachRun(F f) const
    {
        std::size_t level = 0;
        for (std::size_t i = 0; i + 2 < mRuns.size(); i += 3) {
            f(mRuns[i], mRuns[i + 1], mRuns[i + 2], hasLevels() ? mLevels.data() + level : nullptr);
            level += std::size_t(mRuns[i + 2]);
        }
    }

    // The most a level reaches: full coverage.
    static constexpr int MaxLevel = 31;

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<int> mRuns; // y, x, length of each run
    std::vector<quint8> mLevels;
};
