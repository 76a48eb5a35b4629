#include "values/setup_of_values.hpp"

#include <limits>
#include <string>

#include "base/errors.hpp"
#include "text/json.hpp"
#include "values/setup_from_rows.hpp"

namespace mirvok {
namespace {

double numberOf(const ValueRow& row, const Json& value) {
    const std::string written = jsonLine(value);
    if (!value.is_number()) throw refusedValue(row.option, written + " is not a number");
    const double number = value.get<double>();
    if (row.kind == ValueKind::Integer &&
        (!value.is_number_integer() || number < std::numeric_limits<int>::min() ||
         number > std::numeric_limits<int>::max()))
        throw refusedValue(row.option, written + " is not a valid integer value");
    return number;
}

// The segment lists as the interval dialog leaves them: the bound 0, then
// each segment's end after its predecessor's, with its mean and shape.
void setSegments(BatchSetup& setup, const Json& segments) {
    if (!segments.is_array())
        throw refusedSetting(Setting::Segments, jsonLine(segments) + " is not a list");
    Segments& s = setup.generator.segments;
    s = {{0}, {}, {}};
    for (const Json& segment : segments) {
        const bool whole = segment.is_object() && segment.size() == 3 && segment.contains("end") &&
                           segment["end"].is_number_integer() && segment.contains("isi") &&
                           segment["isi"].is_number() && segment.contains("shape") &&
                           segment["shape"].is_number();
        if (!whole || segment["end"].get<long long>() <= s.bounds.back() ||
            segment["end"].get<long long>() > std::numeric_limits<int>::max())
            throw refusedSetting(
                Setting::Segments,
                jsonLine(segment) + " is no segment ending after the one before it");
        s.bounds.push_back(segment["end"].get<int>());
        s.isi.push_back(segment["isi"].get<double>());
        s.shape.push_back(segment["shape"].get<double>());
    }
    setup.generator.segmentMode = !s.isi.empty();
    if (!setup.generator.segmentMode) s.bounds.clear();
}

bool flagOf(const Json& values, Setting flag) {
    const std::string& name = settingRow(flag).keyword;
    if (!values.contains(name)) return false;
    if (!values[name].is_boolean()) throw Error(name + " is neither true nor false");
    return values[name].get<bool>();
}

}  // namespace

BatchSetup setupOfValues(const Json& values) {
    if (!values.is_object()) throw Error("the values are no object");
    for (const auto& [name, value] : values.items())
        if (!rowOfOption(name) && !settingAmongValues(name))
            throw Error("'" + name + "' is no value of a batch");
    BatchSetup setup = setupFromRows([&](const ValueRow& row) -> std::optional<double> {
        if (!values.contains(row.option)) return std::nullopt;
        return numberOf(row, values[row.option]);
    });
    const std::string& segments = settingRow(Setting::Segments).keyword;
    if (values.contains(segments)) setSegments(setup, values[segments]);
    setup.generator.quantify = flagOf(values, Setting::Quantify);
    setup.generator.quantifyZeroOne = setup.generator.quantify && flagOf(values, Setting::C01);
    return setup;
}

}  // namespace mirvok
