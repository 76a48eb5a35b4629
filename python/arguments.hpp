#pragma once

#include <pybind11/pybind11.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.hpp"
#include "values/value_table.hpp"

namespace mirvok::python {

namespace py = pybind11;

// The arguments of one call by name, as the package's function passes them:
// every argument of its signature, by keyword.
// The Python keyword of a batch's setting ("segments").
inline const std::string& keyword(Setting setting) {
    return settingRow(setting).keyword;
}

class Arguments {
  public:
    explicit Arguments(py::dict given) : given_(std::move(given)) {}
    py::handle operator[](std::string_view name) const;
    py::handle operator[](Setting setting) const { return (*this)[keyword(setting)]; }

  private:
    py::dict given_;
};

// Raises ValueError "<name>: <reason>".
[[noreturn]] void refuse(std::string_view name, std::string_view reason);

// Runs convert(); a value the core refuses (a conversion or input error, a
// value whose arithmetic overflows) raises ValueError naming the argument
// and carrying the core's message.
template <typename Convert>
auto named(std::string_view name, Convert&& convert) {
    try {
        return convert();
    } catch (const EConvertError& e) {
        refuse(name, e.what());
    } catch (const InputError& e) {
        refuse(name, e.what());
    } catch (const EMathError& e) {
        refuse(name, e.what());
    }
}

// The text of a number argument as the command line would be given it: an
// integer as its digits, a float as its shortest round-trip text. Through
// the same text conversion, 0.009 here and --gamma1 0.009 there become the
// same double to the last bit. A NumPy scalar or 0-d array counts as its
// value; anything else (a bool, a text, an array of values) raises
// TypeError.
std::string numberText(py::handle value, std::string_view name);

// The text of an integer argument as numberText gives it; an integer beyond
// the range of int raises ValueError stating that range.
std::string integerText(py::handle value, std::string_view name);

// An int argument (StrToInt's range).
int intArgument(py::handle value, std::string_view name);
// A bool argument: True or False (NumPy's bool too); anything else, None
// included, raises TypeError naming it.
bool boolArgument(py::handle value, std::string_view name);
// The iterations of a batch: 0 or more.
int iterationsArgument(py::handle value);
// A seed in 0 .. 2147483647, or the clock's for None.
std::uint64_t seedArgument(py::handle value);
// Worker threads, at least 1; None: the CPUs this process may use.
int threadsArgument(py::handle value);

using Function = std::function<py::object(const Arguments&)>;

// Defines m.name(**arguments), the compiled half of the package's function
// of that name. The package's signature is made at build time from
// m._arguments[name]: `own`, the names of the function's own arguments, and
// the value table's rows of the groups `values` (keyword, type, default,
// its text, unit, help), which the package lists after them. An argument
// missing or not expected is a fault of the package: RuntimeError.
void defineFunction(py::module_& m, const char* name, Function call, const char* doc,
                    std::vector<std::string> own, std::initializer_list<ValueGroup> values);

}  // namespace mirvok::python
