#pragma once

#include <chrono>
#include <exception>
#include <string>

namespace mirvok::python {

// Thrown on the caller's thread when a signal handler of the interpreter
// raised (Ctrl-C: KeyboardInterrupt); the Python error is already set.
struct SignalRaised : std::exception {
    const char* what() const noexcept override { return "interrupted by a signal"; }
};

// Lets the interpreter's signal handlers run during a long call that
// released the GIL. Python only sets a flag when a signal arrives; its
// handler, which raises KeyboardInterrupt, runs when someone holding the
// GIL checks. The batch's sink runs on the calling thread, and checks
// through this: at most every 100 ms, so that a run of short iterations
// does not contend for the GIL.
class SignalCheck {
  public:
    // Call without the GIL, from the thread that released it. True when a
    // handler raised: stop, reacquire the GIL and raise the Python error.
    bool raised();

  private:
    std::chrono::steady_clock::time_point next_ = std::chrono::steady_clock::now();
};

// Raises the Python error a signal handler set; a KeyboardInterrupt then
// says how far the call got ("interrupted after 120 of 1000 runs").
[[noreturn]] void raiseSignalled(const std::string& howFar);

// Runs work without the GIL (work touches no Python object); a SignalRaised
// from it becomes the Python error once the GIL is back (raiseSignalled with
// howFar()), every other exception passes on as it is.
template <typename Work, typename HowFar>
void withoutGil(Work&& work, HowFar&& howFar);
template <typename Work>
void withoutGil(Work&& work) {
    withoutGil(work, [] { return std::string("interrupted"); });
}

}  // namespace mirvok::python

#include <pybind11/pybind11.h>

namespace mirvok::python {

template <typename Work, typename HowFar>
void withoutGil(Work&& work, HowFar&& howFar) {
    bool signalled = false;
    {
        pybind11::gil_scoped_release release;
        try {
            work();
        } catch (const SignalRaised&) {
            signalled = true;
        }
    }
    if (signalled) raiseSignalled(howFar());
}

}  // namespace mirvok::python
