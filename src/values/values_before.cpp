#include "values/values_before.hpp"

#include <charconv>
#include <vector>

namespace mirvok {
namespace {

// "6.10" as {6, 10}; a part that is no number counts as 0.
std::vector<long> versionParts(std::string_view version) {
    std::vector<long> parts;
    while (true) {
        const std::size_t dot = version.find('.');
        const std::string_view part = version.substr(0, dot);
        long number = 0;
        std::from_chars(part.data(), part.data() + part.size(), number);
        parts.push_back(number);
        if (dot == std::string_view::npos) return parts;
        version.remove_prefix(dot + 1);
    }
}

}  // namespace

bool madeBefore(const ValueRow& row, std::optional<std::string_view> version) {
    if (row.since.empty()) return false;
    if (!version) return true;
    return versionParts(*version) < versionParts(row.since);
}

Json withValuesBefore(const Json& values, std::optional<std::string_view> version) {
    if (!values.is_object()) return values;
    // In table order, as a file made now lists them: a value filled in
    // stands where the row stands, so the values compare equal, member by
    // member, with those of a run made again.
    Json completed = Json::object();
    for (const ValueRow& row : valueTable()) {
        if (values.contains(row.option))
            completed[row.option] = values[row.option];
        else if (!madeBefore(row, version))
            continue;
        else if (row.kind == ValueKind::Integer)
            completed[row.option] = static_cast<long long>(row.before);
        else
            completed[row.option] = row.before;
    }
    for (const auto& [name, value] : values.items())
        if (!completed.contains(name)) completed[name] = value;
    return completed;
}

}  // namespace mirvok
