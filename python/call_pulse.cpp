#include "call_pulse.hpp"

namespace mirvok::python {
namespace {

constexpr std::chrono::milliseconds kInterval(100);

}  // namespace

CallPulse::CallPulse(py::handle progress, py::handle cancel, long long total)
    : progress_(progress, total), next_(std::chrono::steady_clock::now() + kInterval) {
    if (!cancel.is_none()) {
        if (!py::hasattr(cancel, "is_set"))
            throw py::type_error("cancel: None or a threading.Event, not " +
                                 std::string(py::str(cancel.get_type().attr("__name__"))));
        cancel_ = cancel.attr("is_set");
    }
    if (!progress_.report(0)) throw py::error_already_set();
}

bool CallPulse::cancelledAlready() {
    return cancel_ && cancel_().cast<bool>();
}

bool CallPulse::beat(long long done) {
    const auto now = std::chrono::steady_clock::now();
    if (now < next_) return false;
    next_ = now + kInterval;
    py::gil_scoped_acquire gil;
    return pulse(done);
}

bool CallPulse::pulse(long long done) {
    if (PyErr_CheckSignals() == 0 && progress_.report(done)) {
        try {
            return cancel_ && cancel_().cast<bool>();
        } catch (py::error_already_set& e) {
            raised_.emplace(std::move(e));
            throw PythonRaised{};
        }
    }
    raised_.emplace();
    throw PythonRaised{};
}

bool CallPulse::finish(long long done) {
    if (progress_.finish(done)) return true;
    raised_.emplace();
    return false;
}

void CallPulse::raise(py::object partial, const std::string& howFar) {
    if (!raised_) throw std::logic_error("no Python error to raise");
    progress_.clear();
    const py::object& error = raised_->value();
    if (raised_->matches(PyExc_KeyboardInterrupt)) error.attr("args") = py::make_tuple(howFar);
    if (PyObject_SetAttrString(error.ptr(), "partial", partial.ptr()) != 0) PyErr_Clear();
    throw *raised_;
}

}  // namespace mirvok::python
