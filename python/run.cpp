#include "analysis/analysed_run.hpp"
#include "arguments.hpp"
#include "batch/batch_setup.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "signal_check.hpp"
#include "train_argument.hpp"
#include "trains/spike_train_reader.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

py::dict run(const Arguments& a) {
    std::vector<int> steps = trainArgument(a["train"]);
    BatchSetup values = batchSetupFrom(valueTexts(a, kRunGroups), {});

    SimState state;
    state.Nsteps = values.stateTemplate.Nsteps;
    const TrainLoad load = loadInputTrain(state, steps);
    withoutGil([&] {
        AnalysingHooks hooks(state, values.analysis);
        runInstant(state, values.reset, values.rates, hooks);
    });

    py::dict out;
    out["in_steps"] = ownedArray(std::move(state.inSpikeSteps));
    out["out_steps"] = ownedArray(std::move(state.outSpikeSteps));
    out["v1"] = ownedArray(std::move(state.V1trace));
    out["v2"] = ownedArray(std::move(state.V2trace));
    out["local_cv"] = ownedArray(std::move(state.spikeVari));
    out["q"] = state.transmissionRatio;
    out["cv"] = state.isiCV;
    out["score"] = state.analysisResult;
    out["local_score"] = state.localScoreMean;
    out["final_v1"] = state.V1;
    out["final_v2"] = state.V2;
    out["skipped"] = load.skipped;
    return out;
}

}  // namespace

void registerRun(py::module_& m) {
    const std::string doc = std::string(R"(Runs the model once over a train and analyses the run.

train: the input spikes as step numbers (any sequence or NumPy array of
integers; a step is 0.5 ms). Steps outside the run are left out and counted.

Returns a dict: in_steps, out_steps (int32 arrays of steps), v1, v2 (float64,
the volumes at the start of every step), local_cv (float64, one per input
spike as the analysis gives it), q (output spikes per input spike), cv (the
input intervals' CV), score, local_score (the mean of the local scores),
final_v1, final_v2 (the volumes after the last step) and skipped (steps of
train left out).

)") + valuesDoc(kRunGroups);
    defineFunction<1, 12>(m, "run", run, doc.c_str(), {py::arg("train")},
                          valueKeywords(kRunGroups));
}

}  // namespace mirvok::python
