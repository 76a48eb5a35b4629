#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <exception>
#include <optional>
#include <string>

#include "progress_report.hpp"

namespace mirvok::python {

namespace py = pybind11;

// Thrown on the calling thread when Python raised during a pulse (a signal
// handler's KeyboardInterrupt, an error of the progress callable); the
// pulse holds the error.
struct PythonRaised : std::exception {
    const char* what() const noexcept override { return "Python raised an exception"; }
};

// Thrown from a batch's sink when the cancel event is set: the runs handed
// over so far are the call's result.
struct CallCancelled : std::exception {
    const char* what() const noexcept override { return "cancelled"; }
};

// What a long call owes its Python caller while it runs without the GIL:
// the interpreter's signal handlers run (Python only sets a flag when a
// signal arrives; its handler, which raises KeyboardInterrupt, runs when
// someone holding the GIL checks), the progress is reported and the cancel
// event is heeded. All three need the GIL, which the call's own thread takes
// for them at most every 100 ms, so that short runs do not contend for it.
class CallPulse {
  public:
    // With the GIL. progress as ProgressReport takes it; cancel: None or an
    // object with is_set(), such as a threading.Event. Reports (0, total).
    CallPulse(py::handle progress, py::handle cancel, long long total);
    // With the GIL, before the call's work: whether the cancel event is set
    // already, so that not even a first block of runs is made. Throws
    // error_already_set when is_set() raised.
    bool cancelledAlready();
    // Without the GIL, on the thread that released it, after `done` of the
    // total: true when the cancel event is set. Throws PythonRaised when a
    // signal handler, the progress callable or is_set() raised.
    bool beat(long long done);
    // With the GIL, when the call ended without an error: the last report,
    // (done, total), or the bar cleared. False when the callable raised; the
    // pulse then holds the error.
    bool finish(long long done);
    // With the GIL, after PythonRaised or a failed finish: raises the error held, carrying the
    // results so far in its attribute `partial`; a KeyboardInterrupt then
    // says how far the call got (howFar).
    [[noreturn]] void raise(py::object partial, const std::string& howFar);

  private:
    bool pulse(long long done);

    ProgressReport progress_;
    py::object cancel_;
    std::chrono::steady_clock::time_point next_;
    std::optional<py::error_already_set> raised_;
};

// How the message of a batch's or a replay's KeyboardInterrupt ends: where
// its runs are.
inline constexpr const char* kPartialHint = ": the runs made are in the exception's partial";

// How a call that released the GIL ended.
enum class CallEnd { Completed, Cancelled, Raised };

// Runs work without the GIL (work touches no Python object). PythonRaised
// and CallCancelled from it end it as Raised and Cancelled; every other
// exception passes on as it is, once the GIL is back.
template <typename Work>
CallEnd withoutGil(Work&& work) {
    py::gil_scoped_release release;
    try {
        work();
    } catch (const PythonRaised&) {
        return CallEnd::Raised;
    } catch (const CallCancelled&) {
        return CallEnd::Cancelled;
    }
    return CallEnd::Completed;
}

}  // namespace mirvok::python
