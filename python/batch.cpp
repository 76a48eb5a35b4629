#include "arguments.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "call_provenance.hpp"
#include "call_pulse.hpp"
#include "kept_runs.hpp"
#include "registrations.hpp"
#include "text/number_format.hpp"
#include "values.hpp"

namespace mirvok::python {

namespace {

// The run a batch starts from, 0 .. iterations: runs before it were made by
// an earlier call (the command line's --continue).
int firstRunArgument(py::handle value, int iterations) {
    const int first = intArgument(value, "first_run");
    if (first < 0 || first > iterations)
        refuse("first_run", "must lie from 0 to iterations (" + std::to_string(iterations) +
                                "), not " + std::to_string(first));
    return first;
}

py::dict batch(const Arguments& a) {
    BatchSetup setup =
        batchSetupFrom(valueTexts(a, kAllGroups), segmentTexts(a[Setting::Segments]));
    setup.generator.quantify = boolArgument(a[Setting::Quantify], keyword(Setting::Quantify));
    setup.generator.quantifyZeroOne = boolArgument(a[Setting::C01], keyword(Setting::C01));
    if (setup.generator.quantifyZeroOne && !setup.generator.quantify)
        refuse(keyword(Setting::C01), "needs " + keyword(Setting::Quantify) + "=True");
    const int iterations = iterationsArgument(a[Setting::Iterations]);
    const int first = firstRunArgument(a["first_run"], iterations);
    const std::uint64_t seed = seedArgument(a[Setting::Seed]);
    const int threads = threadsArgument(a["threads"]);
    const KeptTrains trains = trainLayoutArgument(a["trains"]);
    const RunnerPlan plan = planKeptRuns(iterations - first, threads, runSizeOf(setup), trains,
                                         keyword(Setting::Iterations));

    CallProvenance made("batch", batchValuesJson(setup));
    made.entry().seed = seed;
    made.entry().iterations = iterations;
    if (first > 0) made.entry().more["continued_from"] = first;

    CallPulse pulse(a["progress"], a["cancel"], iterations - first);
    SetupWorkers workers(setup, plan.workers);
    const IterationWork generated = workers.generated(seed, RecordText::Trains);
    const IterationWork work = [&](int worker, int index) {
        return generated(worker, first + index);
    };
    const std::string s = IntToStr(static_cast<long long>(seed));
    return runKeptRuns(plan, work, trains, pulse,
                       {[&](py::dict& out, RunColumns& columns) {
                            out["seed"] = seed;
                            out["provenance"] = made.text(columns.runs());
                        },
                        [&](int runs) {
                            return interruptedAfter(first + runs, iterations, "runs") +
                                   " of the batch seeded " + s;
                        },
                        first});
}

}  // namespace

void registerBatch(py::module_& m) {
    defineFunction(m, "batch", batch, "The compiled half of mirvok.batch.",
                   {keyword(Setting::Iterations), "first_run", keyword(Setting::Seed), "threads",
                    keyword(Setting::Quantify), keyword(Setting::C01), keyword(Setting::Segments),
                    "trains", "progress", "cancel"},
                   kAllGroups);
}

}  // namespace mirvok::python
