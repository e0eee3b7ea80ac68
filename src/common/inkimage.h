#pragma once

#include <cstddef>
#include <vector>

// The ink of one drawn text in its box: the runs of ink pixels, row by row from the top, each
// row left to right. A Surface paints it in its drawing colour (Surface::paintInk).
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

    // Calls f(y, x, length) for every run, in order.
    template <typename F>
    void forEachRun(F f) const
    {
        for (std::size_t i = 0; i + 2 < mRuns.size(); i += 3)
            f(mRuns[i], mRuns[i + 1], mRuns[i + 2]);
    }

private:
    int mWidth = 0;
    int mHeight = 0;
    std::vector<int> mRuns; // y, x, length of each run
};
