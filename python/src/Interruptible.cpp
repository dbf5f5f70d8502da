#include "Interruptible.h"

#include <chrono>
#include <future>

namespace quelmar::python {

namespace py = pybind11;

void runWatched(const std::function<void()>& work, std::atomic<bool>* cancel) {
    bool interrupted = false;
    {
        const py::gil_scoped_release released;
        std::future<void> done = std::async(std::launch::async, work);
        while (done.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
            if (interrupted) continue;
            const py::gil_scoped_acquire held;
            if (PyErr_CheckSignals() != 0) {
                interrupted = true;
                if (cancel) *cancel = true;
            }
        }
        if (!interrupted) {
            done.get();
        } else {
            try {
                done.get();
            } catch (...) { // the interrupt is what the caller asked for; it is raised instead
            }
        }
    }
    if (interrupted) throw py::error_already_set();
}

} // namespace quelmar::python
