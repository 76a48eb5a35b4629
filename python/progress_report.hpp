#pragma once

#include <pybind11/pybind11.h>

#include <chrono>
#include <cstddef>

namespace mirvok::python {

namespace py = pybind11;

// Where a long call reports how far it got: nowhere (None, False), to a
// callable taking (done, total), or (True) as the command line's progress
// line, redrawn in place on sys.stderr; a stderr that is no terminal (a
// cluster job's log) gets a line of text now and then and one at the end
// instead, where redrawing would pile up thousands of lines. Anything else is a TypeError naming
// `progress`. Every member needs the GIL.
class ProgressReport {
  public:
    ProgressReport(py::handle progress, long long total);
    // A call that failed leaves no half-drawn line behind.
    ~ProgressReport();
    ProgressReport(const ProgressReport&) = delete;
    ProgressReport& operator=(const ProgressReport&) = delete;
    // False when the callable or the stream raised; the error is then set.
    bool report(long long done);
    // The call ended: the callable's last report, or the bar cleared, so
    // that what is printed next starts on a clean line.
    bool finish(long long done);
    // Clears the line of a bar; a failure to write is dropped (it runs on
    // the way to raising another error).
    void clear();

  private:
    double seconds() const;
    bool writeLine(const std::string& text);

    py::object callable_;
    py::object stream_;
    long long total_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::size_t width_ = 0;
    bool terminal_ = false;
    std::chrono::steady_clock::time_point lastLine_ = start_;
};

}  // namespace mirvok::python
