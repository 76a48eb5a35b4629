#pragma once

#include <string_view>

#include "batch/batch_memory.hpp"
#include "run_columns.hpp"

namespace mirvok::python {

// A call that keeps every run of the plan, its trains laid out as `layout`
// says, refuses before it starts runs whose results would not fit in the
// memory there is: ValueError naming the argument that sets their count.
void checkKeptRuns(const RunnerPlan& plan, const RunSize& run, TrainLayout layout,
                   std::string_view name);

}  // namespace mirvok::python
