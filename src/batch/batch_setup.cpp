#include "batch/batch_setup.hpp"

#include <algorithm>

#include "batch/value_table.hpp"
#include "text/json_writer.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/random/random_source.hpp"

namespace mirvok {
namespace {

std::string segmentsJson(const SimState& state) {
    std::vector<std::string> segments;
    const std::size_t n =
        std::min({state.segBounds.size() - 1, state.segIsi.size(), state.segShape.size()});
    for (std::size_t i = 0; i < n; ++i) {
        JsonObjectWriter segment;
        segment.member("end", static_cast<long long>(state.segBounds[i + 1]));
        segment.member("isi", state.segIsi[i]);
        segment.member("shape", state.segShape[i]);
        segments.push_back(segment.object());
    }
    return jsonList(segments);
}

}  // namespace

std::string batchValuesJson(const BatchSetup& setup, const std::vector<std::string>& leaveOut) {
    JsonObjectWriter json;
    for (const ValueRow& row : valueTable()) {
        if (std::find(leaveOut.begin(), leaveOut.end(), row.option) != leaveOut.end()) continue;
        if (row.kind == ValueKind::Integer)
            json.member(row.option, static_cast<long long>(row.get(setup)));
        else
            json.member(row.option, row.get(setup));
    }
    if (setup.generator.segmentMode && !setup.stateTemplate.segBounds.empty())
        json.raw("segments", segmentsJson(setup.stateTemplate));
    if (setup.generator.quantify) json.flag("quantify", true);
    if (setup.generator.quantifyZeroOne) json.flag("c01", true);
    return json.object();
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
