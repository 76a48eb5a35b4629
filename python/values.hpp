#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "arguments.hpp"
#include "values/value_table.hpp"
#include "values/value_texts.hpp"

namespace mirvok::python {

// The values each function takes: a run's, the generator's, a batch's.
inline constexpr std::initializer_list<ValueGroup> kRunGroups = {ValueGroup::Run, ValueGroup::Model,
                                                                 ValueGroup::Analysis};
inline constexpr std::initializer_list<ValueGroup> kGeneratorGroups = {ValueGroup::Run,
                                                                       ValueGroup::Generator};
inline constexpr std::initializer_list<ValueGroup> kAllGroups = {
    ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis, ValueGroup::Generator};

// The values of those keywords as the core takes them: by option name, each
// number written as numberText writes it.
NamedTexts valueTexts(const Arguments& arguments, std::initializer_list<ValueGroup> groups);

// The `segments` argument, None or a sequence of (end_step, isi, cv), as
// "END:ISI:CV" texts.
std::vector<std::string> segmentTexts(py::handle segments);

}  // namespace mirvok::python
