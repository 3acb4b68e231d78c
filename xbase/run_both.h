#pragma once

#include <cstddef>
#include <exception>
#include <thread>

namespace xbase {

/// From this many records or keys on, the steps of a tag build (reading the keys,
/// sorting them, writing the leaves) share their work between two threads.
inline constexpr std::size_t twoThreadsFrom = 50000;

/// Runs `here` on this thread and `there` on a second one when `together`, else one
/// after the other; an exception of either is rethrown once both have ended.
template <class Here, class There> void runBoth(bool together, Here&& here, There&& there) {
    if (!together) {
        here();
        there();
        return;
    }
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            there();
        } catch (...) {
            failure = std::current_exception();
        }
    });
    try {
        here();
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace xbase
