#pragma once

#include <pybind11/pybind11.h>

#include <functional>
#include <string>
#include <string_view>

#include "batch/batch_memory.hpp"
#include "batch/ordered_runner.hpp"
#include "call_pulse.hpp"
#include "run_columns.hpp"

namespace mirvok::python {

namespace py = pybind11;

// The plan of a call that keeps every one of its `count` runs, their trains
// as `trains` says: planned and refused as planBatch does, and refused too,
// with ValueError naming the argument `name` that sets their count, when
// the runs kept with what the batch itself holds would not fit in the
// memory there is; both before anything runs.
RunnerPlan planKeptRuns(int count, int threads, const RunSize& run, KeptTrains trains,
                        std::string_view name);

// What a call adds to the result of its runs: its own keys (given the
// columns, before an exception carries the result as its partial), and how
// far it got when interrupted after `runs`, the start of the message.
// The runs are numbered from `first` on (a continued batch).
struct KeptRunsCall {
    std::function<void(py::dict& out, RunColumns& columns)> addKeys;
    std::function<std::string(int runs)> howFar;
    int first = 0;
};

// Runs the plan's runs of `work` without the GIL, kept in columns as
// RunColumns gives them, and returns their result; raises as the pulse does
// (the result as the exception's partial) when Python raised or the
// progress callable failed. A cancelled call returns what it made, partial;
// one cancelled before it starts makes no run.
py::dict runKeptRuns(const RunnerPlan& plan, const IterationWork& work, KeptTrains trains,
                     CallPulse& pulse, const KeptRunsCall& call);

}  // namespace mirvok::python
