#include "progressmeter.h"

#include "feedback.h"

#include <algorithm>
#include <limits>

ProgressMeter::ProgressMeter(Feedback &feedback, qint64 total) : mFeedback(feedback)
{
    total = qMax<qint64>(total, 0);
    while ((total >> mShift) > std::numeric_limits<int>::max())
        ++mShift;
    mMaximum = int(total >> mShift);
    mFeedback.setProgressRange(0, mMaximum);
    mFeedback.setProgressValue(0);
    mFeedback.setProgressVisible(true);
}

ProgressMeter::~ProgressMeter()
{
    mFeedback.setProgressVisible(false);
}

void ProgressMeter::setDone(qint64 done)
{
    const int value = int(std::clamp<qint64>(done >> mShift, 0, mMaximum));
    if (value != mShown) {
        mShown = value;
        mFeedback.setProgressValue(value);
    }
}
