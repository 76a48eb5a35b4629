#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "arguments.hpp"
#include "batch/value_table.hpp"
#include "batch/value_texts.hpp"

namespace mirvok::python {

// The values each function takes: a run's, the generator's, a batch's.
inline constexpr std::initializer_list<ValueGroup> kRunGroups = {ValueGroup::Run, ValueGroup::Model,
                                                                 ValueGroup::Analysis};
inline constexpr std::initializer_list<ValueGroup> kGeneratorGroups = {ValueGroup::Run,
                                                                       ValueGroup::Generator};
inline constexpr std::initializer_list<ValueGroup> kAllGroups = {
    ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis, ValueGroup::Generator};

// The keyword arguments of the value table's rows of these groups, in table
// order, with their defaults (an int for an integer value, else a float).
std::vector<py::arg_v> valueKeywords(std::initializer_list<ValueGroup> groups);
std::vector<py::arg_v> joined(std::vector<std::vector<py::arg_v>> lists);

// A docstring line for each of those values: its keyword, default, unit and
// meaning.
std::string valuesDoc(std::initializer_list<ValueGroup> groups);

// The values of those keywords as the core takes them: by option name, each
// number written as numberText writes it.
NamedTexts valueTexts(const Arguments& arguments, std::initializer_list<ValueGroup> groups);

// The `segments` argument, None or a sequence of (end_step, isi, cv), as
// "END:ISI:CV" texts.
std::vector<std::string> segmentTexts(py::handle segments);

}  // namespace mirvok::python
