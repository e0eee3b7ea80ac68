#include "progressfeedback.h"

#include <QProgressBar>

ProgressFeedback::ProgressFeedback(Feedback &feedback, QProgressBar *bar) : mFeedback(feedback), mBar(bar)
{
}

void ProgressFeedback::setProgressRange(int minimum, int maximum)
{
    if (mBar)
        mBar->setRange(minimum, maximum);
    mFeedback.setProgressRange(minimum, maximum);
}

void ProgressFeedback::setProgressValue(int value)
{
    if (mBar)
        mBar->setValue(value);
    mFeedback.setProgressValue(value);
}

void ProgressFeedback::setProgressVisible(bool visible)
{
    if (mBar)
        mBar->setVisible(visible);
    mFeedback.setProgressVisible(visible);
}
