#pragma once
// Long computations run with the interpreter's lock released, on a thread of their own, while
// the calling thread watches for a signal: Ctrl-C in a notebook or a terminal stops a scan.

#include <pybind11/pybind11.h>

#include <atomic>
#include <functional>
#include <optional>

namespace quelmar::python {

// Runs work with the lock released. On a signal, sets *cancel (when the work has a flag to stop
// it early), waits for the work to end and raises the signal's exception (KeyboardInterrupt).
// An exception of the work is thrown on in the calling thread.
void runWatched(const std::function<void()>& work, std::atomic<bool>* cancel);

template <typename Work> auto runInterruptibly(Work&& work, std::atomic<bool>* cancel = nullptr) {
    std::optional<decltype(work())> result;
    runWatched([&] { result.emplace(work()); }, cancel);
    return std::move(*result);
}

} // namespace quelmar::python
