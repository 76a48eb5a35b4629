#pragma once

#include <string_view>

#include "batch/batch_memory.hpp"

namespace mirvok::python {

// A call that keeps every run refuses, before it starts, runs whose results
// would not fit in the memory there is: ValueError naming the argument that
// sets their count.
void checkKeptRuns(int iterations, const RunSize& run, std::string_view name);

}  // namespace mirvok::python
