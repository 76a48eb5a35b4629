#include "train_argument.hpp"

#include <pybind11/numpy.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

#include "arguments.hpp"

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

}  // namespace

std::vector<int> trainArgument(py::handle train, std::string_view name) {
    const auto steps = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>::ensure(
        trainArray(train, name, "iu", "steps must be integers"));
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

}  // namespace mirvok::python
