#include "batch/batch_setup.hpp"

#include <algorithm>

#include "batch/value_table.hpp"
#include "random/random_source.hpp"
#include "text/json.hpp"
#include "trains/gamma_generator.hpp"

namespace mirvok {
namespace {

Json segmentsJson(const SimState& state) {
    Json segments = Json::array();
    const std::size_t n =
        std::min({state.segBounds.size() - 1, state.segIsi.size(), state.segShape.size()});
    for (std::size_t i = 0; i < n; ++i)
        segments.push_back({{"end", state.segBounds[i + 1]},
                            {"isi", state.segIsi[i]},
                            {"shape", state.segShape[i]}});
    return segments;
}

}  // namespace

Json batchValuesJson(const BatchSetup& setup, const std::vector<std::string>& leaveOut) {
    Json json = Json::object();
    for (const ValueRow& row : valueTable()) {
        if (std::find(leaveOut.begin(), leaveOut.end(), row.option) != leaveOut.end()) continue;
        const std::string name(row.option);
        if (row.kind == ValueKind::Integer)
            json[name] = static_cast<long long>(row.get(setup));
        else
            json[name] = row.get(setup);
    }
    if (setup.generator.segmentMode && !setup.stateTemplate.segBounds.empty())
        json["segments"] = segmentsJson(setup.stateTemplate);
    if (setup.generator.quantify) json["quantify"] = true;
    if (setup.generator.quantifyZeroOne) json["c01"] = true;
    return json;
}

RunSize runSizeOf(const BatchSetup& setup) {
    return RunSize{setup.stateTemplate.Nsteps,
                   expectedSpikes(setup.stateTemplate, setup.generator)};
}

void loadSetup(WorkerKit& kit, const BatchSetup& setup) {
    kit.reset = setup.reset;
    kit.rates = setup.rates;
    kit.analysis = setup.analysis;
    kit.state.Nsteps = setup.stateTemplate.Nsteps;
    kit.state.segBounds = setup.stateTemplate.segBounds;
    kit.state.segIsi = setup.stateTemplate.segIsi;
    kit.state.segShape = setup.stateTemplate.segShape;
}

IterationOutcome runSetupIteration(WorkerKit& kit, const BatchSetup& setup, std::uint64_t seed,
                                   int index, RecordText record) {
    Pcg31 source = iterationSource(seed, static_cast<std::uint64_t>(index));
    return runGeneratedIteration(kit.state, setup.generator, source, kit.values(), index, record);
}

std::vector<int> generatedTrain(const BatchSetup& setup, std::uint64_t seed,
                                std::uint64_t availableBytes) {
    SimState state = setup.stateTemplate;
    SettingsEntries entries(setup.generator, shapeTextForCv(setup.generator.cv, '.'));
    Pcg31 source = iterationSource(seed, 0);
    makeBatchTrain(state, entries, source, setup.generator.segmentMode, setup.generator.quantify,
                   setup.generator.quantifyZeroOne, availableBytes);
    return std::move(state.inSpikeSteps);
}

}  // namespace mirvok
