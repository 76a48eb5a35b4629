#include "progress_report.hpp"

#include <string>

#include "batch/batch_progress.hpp"

namespace mirvok::python {
namespace {

// Calls f with the GIL held; false when it raised, the error being set.
template <typename F>
bool calledWell(F&& f) {
    try {
        f();
        return true;
    } catch (py::error_already_set& e) {
        e.restore();
        return false;
    }
}

// How often a line is written into a stderr that is no terminal.
constexpr std::chrono::seconds kLineInterval(10);

bool isTerminal(const py::object& stream) {
    try {
        return py::hasattr(stream, "isatty") && stream.attr("isatty")().cast<bool>();
    } catch (py::error_already_set&) {
        return false;
    }
}

}  // namespace

ProgressReport::ProgressReport(py::handle progress, long long total) : total_(total) {
    if (progress.is_none() || progress.is(py::bool_(false))) return;
    if (progress.is(py::bool_(true))) {
        stream_ = py::module_::import("sys").attr("stderr");
        if (stream_.is_none()) stream_ = py::object();  // pythonw: no standard error
        terminal_ = stream_ && isTerminal(stream_);
    } else if (PyCallable_Check(progress.ptr())) {
        callable_ = py::reinterpret_borrow<py::object>(progress);
    } else {
        throw py::type_error("progress: True, None or a callable taking (done, total), not " +
                             std::string(py::str(progress.get_type().attr("__name__"))));
    }
}

ProgressReport::~ProgressReport() {
    try {
        clear();
    } catch (...) {
        // Nothing can be raised from here; the line stays as it was.
    }
}

double ProgressReport::seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

bool ProgressReport::writeLine(const std::string& text) {
    return calledWell([&] {
        stream_.attr("write")("mirvok: " + text + "\n");
        stream_.attr("flush")();
    });
}

bool ProgressReport::report(long long done) {
    if (callable_) return calledWell([&] { callable_(done, total_); });
    if (!stream_) return true;
    if (!terminal_) {
        const auto now = std::chrono::steady_clock::now();
        if (now - lastLine_ < kLineInterval) return true;
        lastLine_ = now;
        return writeLine(progressText(done, total_, seconds()));
    }
    std::string line = progressLine(done, total_, seconds());
    if (line.size() < width_) line += std::string(width_ - line.size(), ' ');
    width_ = line.size();
    return calledWell([&] {
        stream_.attr("write")("\r" + line);
        stream_.attr("flush")();
    });
}

bool ProgressReport::finish(long long done) {
    if (callable_) return report(done);
    if (stream_ && !terminal_)
        return writeLine(progressText(done, total_, seconds(), BatchState::Ended));
    clear();
    return true;
}

void ProgressReport::clear() {
    if (!stream_ || width_ == 0) return;
    if (!calledWell([&] {
            stream_.attr("write")("\r" + std::string(width_, ' ') + "\r");
            stream_.attr("flush")();
        }))
        PyErr_Clear();
    width_ = 0;
}

}  // namespace mirvok::python
