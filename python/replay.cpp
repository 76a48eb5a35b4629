#include <algorithm>

#include "arguments.hpp"
#include "batch/batch_memory.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "call_pulse.hpp"
#include "kept_runs.hpp"
#include "registrations.hpp"
#include "run_columns.hpp"
#include "system/machine_memory.hpp"
#include "train_argument.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

// The trains given, as steps: `unit` "steps" (integers) or "ms" (times).
std::vector<std::vector<int>> trainsArgument(py::handle given, py::handle unit) {
    const std::string unitText = py::isinstance<py::str>(unit) ? std::string(py::str(unit)) : "";
    if (unitText != "steps" && unitText != "ms")
        refuse("unit", "'steps' or 'ms', not " + std::string(py::repr(unit)));
    if (!py::isinstance<py::iterable>(given) || py::isinstance<py::str>(given))
        throw py::type_error("input_trains: a list of trains (arrays or lists of spikes), not " +
                             std::string(py::str(given.get_type().attr("__name__"))));
    std::vector<std::vector<int>> trains;
    for (py::handle train : given) {
        const std::string name = "input_trains[" + std::to_string(trains.size()) + "]";
        trains.push_back(unitText == "ms" ? msTrainArgument(train, name)
                                          : trainArgument(train, name));
    }
    return trains;
}

py::dict replay(const Arguments& a) {
    const std::vector<std::vector<int>> trains = trainsArgument(a["input_trains"], a["unit"]);
    const BatchSetup setup = batchSetupFrom(valueTexts(a, kRunGroups), {});
    const int threads = threadsArgument(a["threads"]);
    const TrainLayout layout = trainLayoutArgument(a["trains"]);
    std::size_t longest = 0;
    for (const std::vector<int>& train : trains) longest = std::max(longest, train.size());
    const int count = static_cast<int>(trains.size());
    const RunSize size{setup.stateTemplate.Nsteps, longest};
    const RunnerPlan plan = planBatch(count, threads, size, availableMemoryBytes());
    checkKeptRuns(plan, size, layout, "input_trains");

    CallPulse pulse(a["progress"], a["cancel"], count);
    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.replayed(trains, RecordText::Trains);
    RunColumns columns(layout);
    std::size_t skipped = 0;
    const BlockSink sink = [&](int first, std::span<IterationOutcome> block) {
        for (std::size_t j = 0; j < block.size(); ++j) {
            skipped += block[j].skippedSteps;
            columns.add(first + static_cast<int>(j), block[j]);
        }
        if (pulse.beat(columns.runs())) throw CallCancelled{};
    };
    const CallEnd end = withoutGil([&] { runOrdered(plan, work, sink); });

    const int runs = columns.runs();
    py::dict out = columns.result(end != CallEnd::Completed);
    out["skipped"] = skipped;
    if (end == CallEnd::Raised || !pulse.finish(runs))
        pulse.raise(out, interruptedAfter(runs, count, "runs") + kPartialHint);
    return out;
}

}  // namespace

void registerReplay(py::module_& m) {
    defineFunction(m, "replay", replay, "The compiled half of mirvok.replay.",
                   {"input_trains", "unit", "threads", "trains", "progress", "cancel"}, kRunGroups);
}

}  // namespace mirvok::python
