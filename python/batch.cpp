#include "arguments.hpp"
#include "batch/batch_memory.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "call_pulse.hpp"
#include "kept_runs.hpp"
#include "registrations.hpp"
#include "run_columns.hpp"
#include "system/machine_memory.hpp"
#include "text/number_format.hpp"
#include "values.hpp"

namespace mirvok::python {

// The runs are all kept: refuse a batch whose runs, with what the batch
// itself holds, would not fit in the memory there is, before it starts.
void checkKeptRuns(const RunnerPlan& plan, const RunSize& run, TrainLayout layout,
                   std::string_view name) {
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    const KeptTrains trains = layout == TrainLayout::Flat ? KeptTrains::Flat : KeptTrains::Arrays;
    const std::uint64_t kept =
        keptRunBytes(run, trains) * static_cast<std::uint64_t>(plan.count) + batchBytes(plan, run);
    if (available && kept > *available)
        refuse(name, "keeping " + IntToStr(plan.count) + " runs needs about " +
                         IntToStr(static_cast<long long>(kept >> 20)) + " MB, more than the " +
                         IntToStr(static_cast<long long>(*available >> 20)) + " MB available");
}

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
    const TrainLayout layout = trainLayoutArgument(a["trains"]);
    const RunSize size = runSizeOf(setup);
    const RunnerPlan plan = planBatch(iterations, threads, size, availableMemoryBytes());
    checkKeptRuns(plan, size, layout, "iterations");

    CallPulse pulse(a["progress"], a["cancel"], iterations);
    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.generated(seed, RecordText::Trains);
    RunColumns columns(layout);
    const BlockSink sink = [&](int first, std::span<IterationOutcome> block) {
        for (std::size_t j = 0; j < block.size(); ++j)
            columns.add(first + static_cast<int>(j), block[j]);
        if (pulse.beat(columns.runs())) throw CallCancelled{};
    };
    const CallEnd end = withoutGil([&] { runOrdered(plan, work, sink); });

    const int runs = columns.runs();
    py::dict out = columns.result(end != CallEnd::Completed);
    out["seed"] = seed;
    if (end == CallEnd::Raised || !pulse.finish(runs))
        pulse.raise(out, interruptedAfter(runs, iterations, "runs") + " of the batch seeded " +
                             IntToStr(static_cast<long long>(seed)) + kPartialHint);
    return out;
}

}  // namespace

void registerBatch(py::module_& m) {
    defineFunction(m, "batch", batch, "The compiled half of mirvok.batch.",
                   {"iterations", "seed", "threads", "quantify", "c01", "segments", "trains",
                    "progress", "cancel"},
                   kAllGroups);
}

}  // namespace mirvok::python
