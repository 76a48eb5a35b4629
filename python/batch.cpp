#include "arguments.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "call_pulse.hpp"
#include "kept_runs.hpp"
#include "registrations.hpp"
#include "text/number_format.hpp"
#include "values.hpp"

namespace mirvok::python {

namespace {

py::dict batch(const Arguments& a) {
    BatchSetup setup = batchSetupFrom(valueTexts(a, kAllGroups), segmentTexts(a["segments"]));
    setup.generator.quantify = py::cast<bool>(a["quantify"]);
    setup.generator.quantifyZeroOne = py::cast<bool>(a["c01"]);
    if (setup.generator.quantifyZeroOne && !setup.generator.quantify)
        refuse("c01", "needs quantify=True");
    const int iterations = iterationsArgument(a["iterations"]);
    const std::uint64_t seed = seedArgument(a["seed"]);
    const int threads = threadsArgument(a["threads"]);
    const KeptTrains trains = trainLayoutArgument(a["trains"]);
    const RunnerPlan plan =
        planKeptRuns(iterations, threads, runSizeOf(setup), trains, "iterations");

    CallPulse pulse(a["progress"], a["cancel"], iterations);
    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.generated(seed, RecordText::Trains);
    return runKeptRuns(plan, work, trains, pulse,
                       {[&](py::dict& out, const RunColumns&) { out["seed"] = seed; },
                        [&](int runs) {
                            return interruptedAfter(runs, iterations, "runs") +
                                   " of the batch seeded " + IntToStr(static_cast<long long>(seed));
                        }});
}

}  // namespace

void registerBatch(py::module_& m) {
    defineFunction(m, "batch", batch, "The compiled half of mirvok.batch.",
                   {"iterations", "seed", "threads", "quantify", "c01", "segments", "trains",
                    "progress", "cancel"},
                   kAllGroups);
}

}  // namespace mirvok::python
