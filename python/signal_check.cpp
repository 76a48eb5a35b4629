#include "signal_check.hpp"

namespace mirvok::python {

bool SignalCheck::raised() {
    const auto now = std::chrono::steady_clock::now();
    if (now < next_) return false;
    next_ = now + std::chrono::milliseconds(100);
    pybind11::gil_scoped_acquire gil;
    return PyErr_CheckSignals() != 0;
}

void raiseSignalled(const std::string& howFar) {
    if (PyErr_ExceptionMatches(PyExc_KeyboardInterrupt)) {
        PyErr_Clear();
        PyErr_SetString(PyExc_KeyboardInterrupt, howFar.c_str());
    }
    throw pybind11::error_already_set();
}

}  // namespace mirvok::python
