#pragma once

#include <exception>
#include <thread>

namespace xbase {

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
