#include "train_argument.hpp"

#include <pybind11/numpy.h>

#include <algorithm>
#include <climits>
#include <string>

#include "arguments.hpp"

namespace mirvok::python {

std::vector<int> trainArgument(py::handle train) {
    const auto asArray = py::module_::import("numpy").attr("asarray");
    const py::array given = asArray(train);
    const char kind = given.dtype().kind();
    // An empty list becomes a float64 array, yet holds no float step.
    if (given.size() > 0 && kind != 'i' && kind != 'u')
        throw py::type_error("train: steps must be integers, not " +
                             std::string(py::str(given.dtype())));
    if (given.ndim() > 1)
        refuse("train", "a train is one list of steps, not an array of " +
                            std::to_string(given.ndim()) + " dimensions");
    const auto steps =
        py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>::ensure(given);
    std::vector<int> out(static_cast<std::size_t>(steps.size()));
    const std::int64_t* data = steps.data();
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<int>(std::clamp<std::int64_t>(data[i], INT_MIN, INT_MAX));
    return out;
}

}  // namespace mirvok::python
