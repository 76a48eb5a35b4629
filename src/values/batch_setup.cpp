#include "values/batch_setup.hpp"

#include <algorithm>

#include "text/json.hpp"
#include "values/value_table.hpp"

namespace mirvok {
namespace {

Json segmentsJson(const Segments& s) {
    Json segments = Json::array();
    const std::size_t n = std::min({s.bounds.size() - 1, s.isi.size(), s.shape.size()});
    for (std::size_t i = 0; i < n; ++i)
        segments.push_back({{"end", s.bounds[i + 1]}, {"isi", s.isi[i]}, {"shape", s.shape[i]}});
    return segments;
}

}  // namespace

SetupValues::SetupValues(const BatchSetup& setup) : setup_(&setup) {
    for (std::size_t k = 0; k < kRunValues; ++k)
        get_[k] = rowOfRunValue(static_cast<RunValue>(k)).get;
}

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
    if (setup.generator.segmentMode && !setup.generator.segments.bounds.empty())
        json[settingRow(Setting::Segments).keyword] = segmentsJson(setup.generator.segments);
    if (setup.generator.quantify) json[settingRow(Setting::Quantify).keyword] = true;
    if (setup.generator.quantifyZeroOne) json[settingRow(Setting::C01).keyword] = true;
    return json;
}

}  // namespace mirvok
