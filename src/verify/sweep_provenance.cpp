#include "verify/sweep_provenance.hpp"

#include <algorithm>

#include "base/errors.hpp"
#include "sweep/sweep_description.hpp"
#include "text/json.hpp"

namespace mirvok {
namespace {

std::string shown(const Json& value) {
    return value.is_null() ? std::string("none") : jsonLine(value);
}

}  // namespace

ExpectedEntry pointEntry(const SweepDescription& d, int point, std::uint64_t seed,
                         const Json& values) {
    ExpectedEntry e{provenanceOf("", "sweep", values), Json::object()};
    e.entry.seed = seed;
    e.entry.iterations = d.iterations;
    e.entry.runs = std::max(d.iterations, 0);
    e.more["point"] = point;
    e.more["sweep_seed"] = d.seed;
    return e;
}

ExpectedEntry summaryEntry(const SweepDescription& d, const SweepPart& part) {
    ExpectedEntry e{provenanceOf("", "sweep", d.values), Json::object()};
    e.entry.seed = d.seed;
    e.entry.iterations = d.iterations;
    const auto points = static_cast<long long>(pointsOf(part, d.points).size());
    e.entry.runs = points * std::max(d.iterations, 0);
    e.more["points"] = points;
    e.more["sweep"] = fingerprint(d);
    if (!part.whole()) e.more["part"] = std::to_string(part.k) + "/" + std::to_string(part.n);
    return e;
}

void checkEntry(VerifyTally& tally, const std::string& file, const ExpectedEntry& expected) {
    const std::string json = provenancePath(file);
    std::optional<std::vector<Provenance>> entries;
    try {
        entries = readProvenance(json);
    } catch (const Error& e) {
        tally.differs({json + ": " + e.what()});
        return;
    }
    if (!entries || entries->empty()) {
        tally.unchecked(json + " (not there)");
        return;
    }
    const Provenance& found = entries->back();
    const Provenance& want = expected.entry;
    // A summary that a join wrote names its parts instead of being one.
    const bool joined =
        found.command == "join" && want.command == "sweep" && !expected.more.contains("part");
    std::vector<std::string> lines;
    const auto compare = [&](const std::string& name, const Json& f, const Json& e) {
        if (f != e) lines.push_back(differenceLine(json, name, shown(f), shown(e)));
    };
    if (!joined) compare("command", found.command, want.command);
    // A value added to Mirvok since is not in an older entry: the values it
    // holds are compared.
    Json wanted = Json::object();
    if (found.values.is_object())
        for (const auto& [name, value] : found.values.items())
            if (want.values.contains(name)) wanted[name] = want.values[name];
    compare("values", found.values, found.values.is_object() ? wanted : want.values);
    compare("seed", found.seed ? Json(*found.seed) : Json(), want.seed ? Json(*want.seed) : Json());
    compare("iterations", found.iterations, want.iterations);
    compare("runs", found.runs, want.runs);
    for (const auto& [name, value] : expected.more.items())
        compare(name, found.more.contains(name) ? found.more[name] : Json(), value);
    if (!lines.empty()) tally.differs(lines);
}

}  // namespace mirvok
