#include "batch/batch_setup.hpp"

#include <algorithm>

#include "text/json.hpp"
#include "trains/random/random_source.hpp"

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

bool isIntegerValue(std::string_view name) {
    return name == "time" || name == "ign" || name == "range";
}

const std::vector<std::string_view>& batchValueNames() {
    static const std::vector<std::string_view> names{
        "time",   "v1-start", "gamma1",  "delta1",       "v2-start",
        "gamma2", "delta2",   "epsilon", "boundary-tol", "ign",
        "range",  "c0",       "isi",     "isi-jitter",   "cv"};
    return names;
}

std::vector<NamedValue> batchValues(const BatchSetup& s) {
    const double values[] = {static_cast<double>(s.reset.time),
                             s.reset.v1,
                             s.rates.g1,
                             s.rates.d1,
                             s.reset.v2,
                             s.rates.g2,
                             s.rates.d2,
                             s.reset.eps,
                             s.reset.tol,
                             static_cast<double>(s.analysis.ignSteps),
                             static_cast<double>(s.analysis.rangeIntervals),
                             s.analysis.c0Value,
                             s.generator.isi,
                             s.generator.isiJitter,
                             s.generator.cv};
    std::vector<NamedValue> out;
    const std::vector<std::string_view>& names = batchValueNames();
    for (std::size_t i = 0; i < names.size(); ++i) out.push_back({names[i], values[i]});
    return out;
}

Json batchValuesJson(const BatchSetup& setup, const std::vector<std::string>& leaveOut) {
    Json json = Json::object();
    for (const NamedValue& v : batchValues(setup)) {
        if (std::find(leaveOut.begin(), leaveOut.end(), v.name) != leaveOut.end()) continue;
        const std::string name(v.name);
        if (isIntegerValue(v.name))
            json[name] = static_cast<long long>(v.value);
        else
            json[name] = v.value;
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

}  // namespace mirvok
