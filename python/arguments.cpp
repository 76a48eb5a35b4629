#include "arguments.hpp"

#include <pybind11/numpy.h>

#include <algorithm>
#include <climits>

#include "text/number_parse.hpp"
#include "values/batch_setup.hpp"
#include "values/value_texts.hpp"

namespace mirvok::python {
namespace {

// A NumPy value as the Python number it holds: a scalar or a 0-d array
// gives its item; an array of any other shape is refused, since taking one
// of its values (or its first, as int() would) hides a mistake.
py::object plainNumber(py::handle value, std::string_view name) {
    const py::module_ numpy = py::module_::import("numpy");
    if (py::isinstance(value, numpy.attr("ndarray"))) {
        const auto array = py::reinterpret_borrow<py::array>(value);
        if (array.ndim() != 0)
            throw py::type_error(std::string(name) +
                                 ": one number is needed, not an array of shape " +
                                 std::string(py::str(value.attr("shape"))));
        return array.attr("item")();
    }
    if (py::isinstance(value, numpy.attr("generic"))) return value.attr("item")();
    return py::reinterpret_borrow<py::object>(value);
}

}  // namespace

py::handle Arguments::operator[](std::string_view name) const {
    const py::str key{std::string(name)};
    if (!given_.contains(key)) throw std::logic_error("no argument " + std::string(name));
    return given_[key];
}

void refuse(std::string_view name, std::string_view reason) {
    throw py::value_error(std::string(name) + ": " + std::string(reason));
}

std::string numberText(py::handle given, std::string_view name) {
    const auto refused = [&](std::string_view what) {
        return py::type_error(std::string(name) + ": a number is needed, not " + std::string(what));
    };
    const py::object value = plainNumber(given, name);
    // bool is an int to Python, but True as a gamma is a mistake, not 1; a
    // text would be read by float() with Python's rules, not the tool's.
    if (py::isinstance<py::bool_>(value)) throw refused("a bool");
    if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value)) throw refused("a text");
    if (PyIndex_Check(value.ptr())) return py::str(py::int_(value));
    // Any other number (float, NumPy's longdouble) as the float it converts to.
    PyObject* const asFloat = PyNumber_Float(value.ptr());
    if (!asFloat) {
        PyErr_Clear();
        throw refused(std::string(py::str(value.get_type().attr("__name__"))));
    }
    return py::str(py::repr(py::reinterpret_steal<py::float_>(asFloat)));
}

std::string integerText(py::handle value, std::string_view name) {
    const std::string text = numberText(value, name);
    const py::object plain = plainNumber(value, name);
    if (PyIndex_Check(plain.ptr())) {
        const py::int_ number(plain);
        if (number < py::int_(INT_MIN) || number > py::int_(INT_MAX))
            refuse(name, text + " is out of range: an integer from " + std::to_string(INT_MIN) +
                             " to " + std::to_string(INT_MAX) + " is needed");
    }
    return text;
}

int intArgument(py::handle value, std::string_view name) {
    const std::string text = integerText(value, name);
    return named(name, [&] { return StrToInt(text); });
}

bool boolArgument(py::handle value, std::string_view name) {
    const py::module_ numpy = py::module_::import("numpy");
    if (py::isinstance<py::bool_>(value) || py::isinstance(value, numpy.attr("bool_")))
        return PyObject_IsTrue(value.ptr()) == 1;
    throw py::type_error(std::string(name) + ": True or False is needed, not " +
                         std::string(py::str(value.get_type().attr("__name__"))));
}

int iterationsArgument(py::handle value) {
    const std::string& name = keyword(Setting::Iterations);
    const int iterations = intArgument(value, name);
    if (iterations < 0) refuse(name, "must be 0 or more, not " + std::to_string(iterations));
    return iterations;
}

std::uint64_t seedArgument(py::handle value) {
    if (value.is_none()) return seedOrClock(std::nullopt);
    return seedFrom(integerText(value, keyword(Setting::Seed)));
}

int threadsArgument(py::handle value) {
    if (value.is_none()) return threadsFrom(std::nullopt);
    return threadsFrom(integerText(value, "threads"));
}

void defineFunction(py::module_& m, const char* name, Function call, const char* doc,
                    std::vector<std::string> own, std::initializer_list<ValueGroup> values) {
    py::list rows;
    std::vector<std::string> expected = own;
    const BatchSetup defaults;
    for (const ValueRow* row : valueRows(values)) {
        const double value = row->get(defaults);
        const bool integer = row->kind == ValueKind::Integer;
        rows.append(py::make_tuple(
            row->keyword, integer ? "int" : "float",
            integer ? py::object(py::int_(static_cast<long long>(value))) : py::float_(value),
            row->defaultText, row->unit, row->help));
        expected.push_back(row->keyword);
    }
    py::list ownNames;
    for (const std::string& argument : own) ownNames.append(argument);
    py::dict signature;
    signature["own"] = ownNames;
    signature["values"] = rows;
    if (!py::hasattr(m, "_arguments")) m.attr("_arguments") = py::dict();
    m.attr("_arguments")[name] = signature;

    std::sort(expected.begin(), expected.end());
    const std::string function = name;
    m.def(
        name,
        [call = std::move(call), expected, function](const py::kwargs& given) -> py::object {
            bool all = given.size() == expected.size();
            for (auto item : given)
                all = all && std::binary_search(expected.begin(), expected.end(),
                                                std::string(py::str(item.first)));
            if (!all)
                throw std::logic_error(function + " takes exactly the arguments of mirvok." +
                                       function + ", every one by keyword");
            return call(Arguments(given));
        },
        doc);
}

}  // namespace mirvok::python
