#include "values/batch_setup.hpp"

#include <algorithm>

#include "text/json.hpp"
#include "values/value_table.hpp"

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

}  // namespace mirvok
