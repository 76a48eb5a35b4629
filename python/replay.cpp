#include "arguments.hpp"
#include "batch/batch_memory.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "call_pulse.hpp"
#include "kept_runs.hpp"
#include "registrations.hpp"
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
    const KeptTrains layout = trainLayoutArgument(a["trains"]);
    const int count = static_cast<int>(trains.size());
    const RunnerPlan plan =
        planKeptRuns(count, threads, replaySize(setup.steps, trains), layout, "input_trains");

    CallPulse pulse(a["progress"], a["cancel"], count);
    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.replayed(trains, RecordText::Trains);
    return runKeptRuns(
        plan, work, layout, pulse,
        {[](py::dict& out, const RunColumns& columns) { out["skipped"] = columns.skippedSteps(); },
         [&](int runs) { return interruptedAfter(runs, count, "runs"); }});
}

}  // namespace

void registerReplay(py::module_& m) {
    defineFunction(m, "replay", replay, "The compiled half of mirvok.replay.",
                   {"input_trains", "unit", "threads", "trains", "progress", "cancel"}, kRunGroups);
}

}  // namespace mirvok::python
