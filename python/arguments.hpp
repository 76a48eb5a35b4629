#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/errors.hpp"

namespace mirvok::python {

namespace py = pybind11;

// The arguments of one call by name, in the order the function declares them.
class Arguments {
  public:
    Arguments(std::vector<const char*> names, std::vector<py::object> values)
        : names_(std::move(names)), values_(std::move(values)) {}
    py::handle operator[](std::string_view name) const;
    // The argument's value, or a null handle when the function has none.
    py::handle find(std::string_view name) const;

  private:
    std::vector<const char*> names_;
    std::vector<py::object> values_;
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
// same double to the last bit. Anything else raises TypeError.
std::string numberText(py::handle value, std::string_view name);

// An int argument (StrToInt's range).
int intArgument(py::handle value, std::string_view name);
// The iterations of a batch: 0 or more.
int iterationsArgument(py::handle value);
// A seed in 0 .. 2147483647, or the clock's for None.
std::uint64_t seedArgument(py::handle value);
// Worker threads, at least 1; None: the CPUs this process may use.
int threadsArgument(py::handle value);

template <std::size_t>
using Object = py::object;

template <typename Call, std::size_t... P, std::size_t... K>
void defineWith(py::module_& m, const char* name, Call call, const char* doc,
                const std::vector<py::arg>& positional, const std::vector<py::arg_v>& keywords,
                std::index_sequence<P...>, std::index_sequence<K...>) {
    std::vector<const char*> names{positional[P].name..., keywords[K].name...};
    m.def(
        name,
        [call, names](Object<P>... p, Object<K>... k) -> py::object {
            return call(Arguments(names, {std::move(p)..., std::move(k)...}));
        },
        doc, positional[P]..., py::kw_only(), keywords[K]...);
}

// Defines m.name(<positional>, *, <keywords>): call receives every argument
// by name. The counts are the lists' sizes, which pybind11 needs at compile
// time; a mismatch is a programming error found at import.
template <std::size_t Positional, std::size_t Keywords, typename Call>
void defineFunction(py::module_& m, const char* name, Call call, const char* doc,
                    const std::vector<py::arg>& positional,
                    const std::vector<py::arg_v>& keywords) {
    if (positional.size() != Positional || keywords.size() != Keywords)
        throw std::logic_error(std::string("argument counts of ") + name + " differ");
    defineWith(m, name, std::move(call), doc, positional, keywords,
               std::make_index_sequence<Positional>{}, std::make_index_sequence<Keywords>{});
}

}  // namespace mirvok::python
