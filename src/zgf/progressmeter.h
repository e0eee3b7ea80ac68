#pragma once

#include <QtGlobal>

class Feedback;

// The progress bar of a long operation over a 64-bit count (bytes, lines): shown at 0 when
// constructed, hidden when destroyed (also when a failure ends the operation). Counts that
// do not fit an int are scaled down, and the bar is told only about changed values.
class ProgressMeter
{
public:
    ProgressMeter(Feedback &feedback, qint64 total);
    ~ProgressMeter();
    ProgressMeter(const ProgressMeter &) = delete;
    ProgressMeter &operator=(const ProgressMeter &) = delete;

    // Moves the bar to done; values past total keep it full.
    void setDone(qint64 done);

private:
    Feedback &mFeedback;
    int mShift = 0;
    int mMaximum = 0;
    int mShown = 0;
};
