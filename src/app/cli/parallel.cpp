#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void forEachInParallel(size_t count, const std::function<void(size_t)> &work, const std::function<void(size_t)> &then)
{
    std::mutex mutex;
    std::condition_variable doneOne;
    std::vector<bool> done(count, false);
    std::exception_ptr error;
    std::atomic<size_t> next{0};
    const auto worker = [&] {
        for (size_t i = next++; i < count; i = next++) {
            std::exception_ptr thrown;
            try {
                work(i);
            } catch (...) {
                thrown = std::current_exception();
            }
            const std::lock_guard lock(mutex);
            done[i] = true;
            if (thrown && !error)
                error = thrown;
            doneOne.notify_all();
        }
    };
    std::vector<std::thread> threads;
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    for (size_t t = 0; t < std::min(count, cores); ++t)
        threads.emplace_back(worker);
    for (size_t i = 0; i < count; ++i) {
        std::unique_lock lock(mutex);
        doneOne.wait(lock, [&] { return done[i] || error; });
        if (error)
            break;
        lock.unlock();
        then(i);
    }
    for (std::thread &thread : threads)
        thread.join();
    if (error)
        std::rethrow_exception(error);
}

void Turns::take(size_t index, const std::function<void()> &step)
{
    std::unique_lock lock(mMutex);
    mTaken.wait(lock, [&] { return mNext == index; });
    // The next task's turn comes also when step throws.
    struct Pass
    {
        Turns &turns;
        ~Pass()
        {
            ++turns.mNext;
            turns.mTaken.notify_all();
        }
    } pass{*this};
    step();
}
