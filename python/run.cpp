#include "analysis/analysed_run.hpp"
#include "arguments.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "train_argument.hpp"
#include "trains/spike_train_reader.hpp"
#include "values.hpp"
#include "values/batch_setup.hpp"

namespace mirvok::python {
namespace {

py::dict run(const Arguments& a) {
    std::vector<int> steps = trainArgument(a["train"], "train");
    BatchSetup values = batchSetupFrom(valueTexts(a, kRunGroups), {});

    SimState state;
    RunResults results;
    state.Nsteps = values.steps;
    const TrainLoad load = loadInputTrain(state, steps);
    {
        py::gil_scoped_release release;
        SetupValues source(values);
        AnalysingHooks hooks(state, source, results);
        runInstant(state, source, hooks);
    }

    py::dict out;
    out["in_steps"] = ownedArray(std::move(state.inSpikeSteps));
    out["out_steps"] = ownedArray(std::move(state.outSpikeSteps));
    out["v1"] = ownedArray(std::move(state.V1trace));
    out["v2"] = ownedArray(std::move(state.V2trace));
    out["local_cv"] = ownedArray(std::move(state.spikeVari));
    out["q"] = results.transmissionRatio;
    out["cv"] = results.isiCV;
    out["score"] = results.analysisResult;
    out["local_score"] = results.localScoreMean;
    out["final_v1"] = state.V1;
    out["final_v2"] = state.V2;
    out["skipped"] = load.skipped;
    warnSkipped(load.skipped, values.steps);
    return out;
}

}  // namespace

void registerRun(py::module_& m) {
    defineFunction(m, "run", run, "The compiled half of mirvok.run.", {"train"}, kRunGroups);
}

}  // namespace mirvok::python
