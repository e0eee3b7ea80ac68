#pragma once

#include <cstddef>
#include <functional>

// Runs work(i) for every i below count on as many threads as the machine has cores, and
// then(i) on this thread in the order of i, each as soon as work(i) is done. An exception
// that leaves work is thrown here once every thread has ended.
void forEachInParallel(size_t count, const std::function<void(size_t)> &work,
                       const std::function<void(size_t)> &then);
