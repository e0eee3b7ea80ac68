#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>

// Runs work(i) for every i below count on as many threads as the machine has cores, and
// then(i) on this thread in the order of i, each as soon as work(i) is done. An exception
// that leaves work is thrown here once every thread has ended.
void forEachInParallel(size_t count, const std::function<void(size_t)> &work, const std::function<void(size_t)> &then);

// Lets tasks running in parallel each take one step in the order of their numbers.
class Turns
{
public:
    // Runs step as the turn of task index, once every task before it has taken its turn. A
    // task must take its turn, with an empty step if need be, or the later ones wait.
    void take(size_t index, const std::function<void()> &step);

private:
    std::mutex mMutex;
    std::condition_variable mTaken;
    size_t mNext = 0;
};
