#include "values/setup_from_rows.hpp"

#include "system/machine_memory.hpp"

namespace mirvok {
namespace {

// Runs convert(); whatever the core refuses of it is refused under `row`'s
// names.
template <typename Convert>
auto named(const ValueRow& row, Convert&& convert) {
    try {
        return convert();
    } catch (const Error& e) {
        throw refusedValue(row.option, e.what());
    }
}

}  // namespace

ValueError refusedValue(const std::string& option, const std::string& reason) {
    return ValueError(option, keywordOf(option), reason);
}

BatchSetup setupFromRows(const std::function<std::optional<double>(const ValueRow&)>& given) {
    BatchSetup setup;
    setup.reset.memory = physicalMemoryBytes();
    for (const ValueRow& row : valueTable()) {
        if (const auto value = named(row, [&] { return given(row); })) row.set(setup, *value);
        if (row.derive) named(row, [&] { row.derive(setup); });
    }
    return setup;
}

}  // namespace mirvok
