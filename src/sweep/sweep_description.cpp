#include "sweep/sweep_description.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/number_parse.hpp"
#include "text/shortest_number.hpp"
#include "values/value_table.hpp"
#include "values/values_before.hpp"

namespace mirvok {
namespace {

constexpr const char* kMembers[] = {"values",       "vary", "iterations",
                                    "keep-records", "seed", "points"};

Json descriptionJson(const SweepDescription& d) {
    Json vary = Json::array();
    for (const SweepAxisValues& axis : d.vary)
        vary.push_back({{"name", axis.name}, {"values", axis.values}});
    return {{"values", d.values},
            {"vary", vary},
            {"iterations", d.iterations},
            {"keep-records", d.keepRecords},
            {"seed", d.seed},
            {"points", d.points}};
}

// The shared values in the order batchValuesJson writes them (any others
// after them, as they came), so that a file whose values were reordered by
// hand or by a tool still has its sweep's fingerprint.
Json inWrittenOrder(const Json& values) {
    std::vector<std::string> order;
    for (const ValueRow& row : valueTable()) order.push_back(row.option);
    for (const SettingRow& setting : settingTable())
        if (setting.amongValues) order.push_back(setting.keyword);
    Json ordered = Json::object();
    for (const std::string& name : order)
        if (values.contains(name)) ordered[name] = values[name];
    for (const auto& [name, value] : values.items())
        if (!ordered.contains(name)) ordered[name] = value;
    return ordered;
}

std::optional<SweepAxisValues> axisOf(const Json& axis) {
    if (!axis.is_object() || axis.size() != 2 || !axis.contains("name") ||
        !axis["name"].is_string() || !axis.contains("values") || !axis["values"].is_array() ||
        axis["values"].empty())
        return std::nullopt;
    SweepAxisValues out{axis["name"].get<std::string>(), {}};
    for (const Json& value : axis["values"]) {
        if (!value.is_number()) return std::nullopt;
        out.values.push_back(value.get<double>());
    }
    return out;
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// A number of the option's kind: an integer option's without a fraction.
bool isValueOf(const ValueRow& row, double value) {
    return row.kind == ValueKind::Real || (std::isfinite(value) && value == std::trunc(value));
}

// A member of "values": a value of the table, or the segments, quantify or
// c01 as batchValuesJson writes them.
bool isSharedValue(const std::string& name, const Json& value) {
    if (const ValueRow* row = rowOfOption(name))
        return value.is_number() && isValueOf(*row, value.get<double>());
    const SettingRow* setting = settingAmongValues(name);
    if (!setting) return false;
    return setting->setting == Setting::Segments ? value.is_array() : value.is_boolean();
}

// Whether the values and the axes together give every point each value of
// the table once, of its kind: what a file edited by hand may no longer do.
bool describesPoints(const Json& values, const std::vector<SweepAxisValues>& vary) {
    std::vector<std::string> named;
    for (const SweepAxisValues& axis : vary) {
        const ValueRow* row = rowOfOption(axis.name);
        if (!row || contains(named, axis.name)) return false;
        for (const double value : axis.values)
            if (!isValueOf(*row, value)) return false;
        named.push_back(axis.name);
    }
    for (const auto& [name, value] : values.items()) {
        if (!isSharedValue(name, value) || contains(named, name)) return false;
        named.push_back(name);
    }
    // A value added after the sweep was made is left out: its points read
    // the value before.
    return std::all_of(valueTable().begin(), valueTable().end(), [&](const ValueRow& row) {
        return contains(named, row.option) || madeBefore(row, std::nullopt);
    });
}

bool isInt(const Json& value) {
    return value.is_number_integer() &&
           (value.is_number_unsigned()
                ? value.get<std::uint64_t>() <= std::numeric_limits<int>::max()
                : value.get<long long>() >= std::numeric_limits<int>::min() &&
                      value.get<long long>() <= std::numeric_limits<int>::max());
}

// The text the writer before the JSON library wrote for a value: ", " and
// ": " between members, doubles as shortestNumber gives them.
void appendEarlierForm(std::string& out, const Json& value) {
    if (value.is_object() || value.is_array()) {
        out += value.is_object() ? '{' : '[';
        bool first = true;
        for (const auto& [key, item] : value.items()) {
            if (!first) out += ", ";
            first = false;
            if (value.is_object()) out += jsonLine(key) + ": ";
            appendEarlierForm(out, item);
        }
        out += value.is_object() ? '}' : ']';
    } else if (value.is_number_float()) {
        out += shortestNumber(value.get<double>());
    } else {
        // Texts escaped alike but for control characters, which no name
        // of a value holds.
        out += jsonLine(value);
    }
}

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

}  // namespace

SweepDescription describeSweep(const SweepGrid& grid, const BatchSetup& first, int iterations,
                               bool keepRecords, std::uint64_t seed) {
    SweepDescription d;
    std::vector<std::string> varied;
    for (const SweepAxis& axis : grid.axes()) {
        varied.push_back(axis.name);
        SweepAxisValues values{axis.name, {}};
        for (const std::string& text : axis.texts) values.values.push_back(StrToDouble(text, '.'));
        d.vary.push_back(std::move(values));
    }
    d.values = batchValuesJson(first, varied);
    d.iterations = iterations;
    d.keepRecords = keepRecords;
    d.seed = seed;
    d.points = grid.points();
    return d;
}

bool sameSweep(const SweepDescription& a, const SweepDescription& b) {
    // A sweep made before a value was added leaves it out, and its points
    // were made with the value before: the same sweep as one that names it.
    const auto completed = [](const Json& values) {
        return nlohmann::json(withValuesBefore(values, std::nullopt));
    };
    return completed(a.values) == completed(b.values) && a.vary == b.vary &&
           a.iterations == b.iterations && a.keepRecords == b.keepRecords && a.seed == b.seed &&
           a.points == b.points;
}

std::string descriptionText(const SweepDescription& description) {
    return jsonMemberLines(descriptionJson(description));
}

std::optional<SweepDescription> parseDescription(std::string_view text) {
    const std::optional<Json> json = parseJson(text);
    if (!json || !json->is_object() || json->size() != std::size(kMembers)) return std::nullopt;
    for (const char* member : kMembers)
        if (!json->contains(member)) return std::nullopt;
    const Json& j = *json;
    if (!j["values"].is_object() || !j["vary"].is_array() || !isInt(j["iterations"]) ||
        !j["keep-records"].is_boolean() || !j["seed"].is_number_unsigned() || !isInt(j["points"]))
        return std::nullopt;
    SweepDescription d;
    d.values = inWrittenOrder(j["values"]);
    long long points = 1;
    for (const Json& axis : j["vary"]) {
        std::optional<SweepAxisValues> values = axisOf(axis);
        if (!values) return std::nullopt;
        points *= static_cast<long long>(values->values.size());
        if (points > kMostSweepPoints) return std::nullopt;
        d.vary.push_back(std::move(*values));
    }
    d.iterations = j["iterations"].get<int>();
    d.keepRecords = j["keep-records"].get<bool>();
    d.seed = j["seed"].get<std::uint64_t>();
    d.points = j["points"].get<int>();
    if (d.points != points || !describesPoints(d.values, d.vary)) return std::nullopt;
    return d;
}

std::string fingerprint(const SweepDescription& description) {
    // The hash of sweep.json as the earlier writer laid it out: one member
    // per line, the rest as appendEarlierForm writes it.
    const Json json = descriptionJson(description);
    std::string text = "{";
    for (const auto& [key, value] : json.items()) {
        text += text.size() > 1 ? ",\n  " : "\n  ";
        text += jsonLine(key) + ": ";
        appendEarlierForm(text, value);
    }
    text += "\n}\n";
    // FNV-1a: enough to tell sweeps apart, which is all it is for.
    std::uint64_t hash = fnv1a(text);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4U) out[static_cast<std::size_t>(i)] = kHex[hash & 15U];
    return out;
}

}  // namespace mirvok
