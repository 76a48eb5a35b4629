#include "arguments.hpp"
#include "batch/batch_memory.hpp"
#include "batch/batch_summary.hpp"
#include "batch/setup_workers.hpp"
#include "call_provenance.hpp"
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
        // Converting many trains takes a while under the GIL: a Ctrl-C
        // meanwhile is heeded.
        if (trains.size() % 1024 == 1023 && PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        const std::string name = "input_trains[" + std::to_string(trains.size()) + "]";
        trains.push_back(unitText == "ms" ? msTrainArgument(train, name)
                                          : trainArgument(train, name));
    }
    return trains;
}

// The trains given, as trainsArgument converts them; a KeyboardInterrupt
// while they are converted carries, as the runs' would, an empty result.
std::vector<std::vector<int>> convertedTrains(const Arguments& a, KeptTrains layout) {
    try {
        return trainsArgument(a["input_trains"], a["unit"]);
    } catch (py::error_already_set& e) {
        if (!e.matches(PyExc_KeyboardInterrupt)) throw;
        py::dict none = RunColumns(layout).result(true);
        none["skipped"] = 0;
        e.value().attr("args") =
            py::make_tuple("interrupted while the trains were converted, before any run" +
                           std::string(kPartialHint));
        PyObject_SetAttrString(e.value().ptr(), "partial", none.ptr());
        throw;
    }
}

py::dict replay(const Arguments& a) {
    const KeptTrains layout = trainLayoutArgument(a["trains"]);
    const std::vector<std::vector<int>> trains = convertedTrains(a, layout);
    const BatchSetup setup = batchSetupFrom(valueTexts(a, kRunGroups), {});
    const int threads = threadsArgument(a["threads"]);
    const int count = static_cast<int>(trains.size());
    const RunnerPlan plan =
        planKeptRuns(count, threads, replaySize(setup.steps, trains), layout, "input_trains");

    CallPulse pulse(a["progress"], a["cancel"], count);
    SetupWorkers workers(setup, plan.workers);
    const IterationWork work = workers.replayed(trains, RecordText::Trains);
    CallProvenance made("replay", batchValuesJson(setup, notReadByReplay()));
    made.entry().iterations = count;
    py::dict out = runKeptRuns(plan, work, layout, pulse,
                               {[&](py::dict& out, RunColumns& columns) {
                                    out["skipped"] = columns.skippedSteps();
                                    out["skipped_by_train"] = columns.takeSkippedByRun();
                                    out["provenance"] = made.text(columns.runs());
                                },
                                [&](int runs) { return interruptedAfter(runs, count, "runs"); }});
    warnSkipped(out["skipped"].cast<std::size_t>(), setup.steps);
    return out;
}

}  // namespace

void registerReplay(py::module_& m) {
    defineFunction(m, "replay", replay, "The compiled half of mirvok.replay.",
                   {"input_trains", "unit", "threads", "trains", "progress", "cancel"}, kRunGroups);
}

}  // namespace mirvok::python
