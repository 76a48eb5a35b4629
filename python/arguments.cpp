#include "arguments.hpp"

#include "batch/value_texts.hpp"
#include "text/number_parse.hpp"

namespace mirvok::python {

py::handle Arguments::find(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) return values_[i];
    return {};
}

py::handle Arguments::operator[](std::string_view name) const {
    const py::handle value = find(name);
    if (!value) throw std::logic_error("no argument " + std::string(name));
    return value;
}

void refuse(std::string_view name, std::string_view reason) {
    throw py::value_error(std::string(name) + ": " + std::string(reason));
}

std::string numberText(py::handle value, std::string_view name) {
    const auto refused = [&](std::string_view what) {
        return py::type_error(std::string(name) + ": a number is needed, not " + std::string(what));
    };
    // bool is an int to Python, but True as a gamma is a mistake, not 1; a
    // text would be read by float() with Python's rules, not the tool's.
    if (py::isinstance<py::bool_>(value)) throw refused("a bool");
    if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value)) throw refused("a text");
    if (PyIndex_Check(value.ptr()))
        return py::str(py::int_(py::reinterpret_borrow<py::object>(value)));
    // Any other number (float, NumPy's float32) as the float it converts to.
    PyObject* const asFloat = PyNumber_Float(value.ptr());
    if (!asFloat) {
        PyErr_Clear();
        throw refused(std::string(py::str(value.get_type().attr("__name__"))));
    }
    return py::str(py::repr(py::reinterpret_steal<py::float_>(asFloat)));
}

int intArgument(py::handle value, std::string_view name) {
    const std::string text = numberText(value, name);
    return named(name, [&] { return StrToInt(text); });
}

int iterationsArgument(py::handle value) {
    const int iterations = intArgument(value, "iterations");
    if (iterations < 0)
        refuse("iterations", "must be 0 or more, not " + std::to_string(iterations));
    return iterations;
}

std::uint64_t seedArgument(py::handle value) {
    if (value.is_none()) return seedOrClock(std::nullopt);
    return seedFrom(numberText(value, "seed"));
}

int threadsArgument(py::handle value) {
    if (value.is_none()) return threadsFrom(std::nullopt);
    return threadsFrom(numberText(value, "threads"));
}

}  // namespace mirvok::python
