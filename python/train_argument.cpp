#include "train_argument.hpp"

#include <pybind11/numpy.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "arguments.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok::python {
namespace {

// The train as a one-dimensional array of a kind `kinds` holds (NumPy's
// dtype kinds: 'i', 'u', 'f'); an empty list becomes a float64 array, yet
// holds no value of a wrong kind.
py::array trainArray(py::handle train, std::string_view name, std::string_view kinds,
                     const char* what) {
    const py::array given = py::module_::import("numpy").attr("asarray")(train);
    if (given.size() > 0 && kinds.find(given.dtype().kind()) == std::string_view::npos)
        throw py::type_error(std::string(name) + ": " + what + ", not " +
                             std::string(py::str(given.dtype())));
    if (given.ndim() == 0) refuse(name, "a train is a list of steps, not one number");
    if (given.ndim() > 1)
        refuse(name, "a train is one list of steps, not an array of " +
                         std::to_string(given.ndim()) + " dimensions");
    return given;
}

int heldInInt(double value) {
    return value >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(value);
}

// Python ints of any size, which NumPy holds as objects when one exceeds
// 64 bits: each held in int as trainArgument holds steps.
std::vector<int> objectSteps(const py::array& given, std::string_view name) {
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(given.size()));
    for (py::handle item : given.attr("ravel")()) {
        if (!PyIndex_Check(item.ptr()) || py::isinstance<py::bool_>(item))
            throw py::type_error(std::string(name) + ": steps must be integers, not " +
                                 std::string(py::str(item.get_type().attr("__name__"))));
        const py::int_ step = py::reinterpret_steal<py::int_>(PyNumber_Index(item.ptr()));
        out.push_back(step < py::int_(INT_MIN)   ? INT_MIN
                      : step > py::int_(INT_MAX) ? INT_MAX
                                                 : step.cast<int>());
    }
    return out;
}

}  // namespace

std::vector<int> trainArgument(py::handle train, std::string_view name) {
    const py::array given = trainArray(train, name, "iuO", "steps must be integers");
    if (given.dtype().kind() == 'O') return objectSteps(given, name);
    const auto steps =
        py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>::ensure(given);
    std::vector<int> out(static_cast<std::size_t>(steps.size()));
    const std::int64_t* data = steps.data();
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<int>(std::clamp<std::int64_t>(data[i], INT_MIN, INT_MAX));
    return out;
}

std::vector<int> msTrainArgument(py::handle train, std::string_view name) {
    const auto times = py::array_t<double, py::array::c_style | py::array::forcecast>::ensure(
        trainArray(train, name, "iuf", "times must be numbers"));
    std::vector<int> out(static_cast<std::size_t>(times.size()));
    const double* data = times.data();
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (!(data[i] >= 0.0) || std::isinf(data[i]))
            refuse(name, "the time " + std::string(py::repr(py::float_(data[i]))) +
                             " ms is no time of a run (0 or more)");
        out[i] = heldInInt(std::floor(2.0 * data[i]));
    }
    return out;
}

void warnSkipped(std::size_t skipped, int Nsteps) {
    if (skipped == 0) return;
    // Level 4: above the package's function, its keyword check and its Neo
    // conversion.
    if (PyErr_WarnEx(PyExc_UserWarning, skippedStepsMessage(skipped, Nsteps).c_str(), 4) != 0)
        throw pybind11::error_already_set();
}

}  // namespace mirvok::python
