#include "values/value_changes.hpp"

#include <algorithm>
#include <limits>

#include "base/errors.hpp"
#include "values/value_table.hpp"

namespace mirvok {
namespace {

constexpr const char* kFromRun = "from_run";
constexpr const char* kWithinRun = "within_run";

// When in the course of a run a value is read.
enum class Reading {
    Count,      // before the run starts, the count of a generated batch
    Generator,  // as the run's train is drawn
    RunLength,  // as the train is drawn, and again as the run is reset
    Reset,      // as the run is reset
    Rate,       // at every step
    Analysis,   // after the last step
};

Reading readingOf(const std::string& name) {
    if (name == kIterationsKey) return Reading::Count;
    const ValueRow* row = rowOfOption(name);
    // The segments, quantify and c01 choose how the train is drawn.
    if (!row || row->group == ValueGroup::Generator) return Reading::Generator;
    if (row->group == ValueGroup::Run) return Reading::RunLength;
    if (row->group == ValueGroup::Analysis) return Reading::Analysis;
    return row->runValue && readByStep(*row->runValue) ? Reading::Rate : Reading::Reset;
}

struct FirstRead {
    int run = 0;
    bool withinRun = false;
};

// The first run that reads a value of this reading edited at `moment` of
// run `run`.
FirstRead firstRead(Reading reading, int run, BatchMoment moment) {
    const bool before = moment == BatchMoment::BeforeRun;
    switch (reading) {
        case Reading::Count:
            return {run + 1};
        case Reading::Generator:
            return {before ? run : run + 1};
        case Reading::RunLength:
            if (moment == BatchMoment::DrawingTrain) return {run, true};
            return {before ? run : run + 1};
        case Reading::Reset:
            return {before || moment == BatchMoment::DrawingTrain ? run : run + 1};
        case Reading::Rate:
            return {run, moment == BatchMoment::Stepping};
        case Reading::Analysis:
            break;
    }
    return {run};
}

int fromRunOf(const Json& change) {
    return change[kFromRun].get<int>();
}

}  // namespace

void ValueChanges::note(const Json& now, int run, BatchMoment moment) {
    if (now == last_) return;
    Json gone = Json::object();
    for (const auto& [name, value] : last_.items())
        if (!now.contains(name)) gone[name] = nullptr;
    const Json& removed = gone;
    for (const Json* members : {&now, &removed}) {
        for (const auto& [name, value] : members->items()) {
            if (last_.contains(name) && last_[name] == value) continue;
            const Reading reading = readingOf(name);
            if (replay_ && (reading == Reading::Count || reading == Reading::Generator)) continue;
            const FirstRead first = firstRead(reading, run, moment);
            const auto same = [&](const Entry& e) {
                return e.fromRun == first.run && e.withinRun == first.withinRun;
            };
            // Edits seen at one moment share an entry.
            if (entries_.empty() || !same(entries_.back()) || entries_.back().values.contains(name))
                entries_.push_back({first.run, first.withinRun});
            entries_.back().values[name] = value;
        }
    }
    last_ = now;
}

Json ValueChanges::json() const {
    std::vector<Entry> entries = entries_;
    // A value's edits keep their order: a later one is never read earlier.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.fromRun < b.fromRun; });
    Json list = Json::array();
    for (const Entry& e : entries) {
        Json change = {{kFromRun, e.fromRun}};
        if (e.withinRun) change[kWithinRun] = true;
        change.update(e.values);
        list.push_back(std::move(change));
    }
    return list;
}

Json valuesOfRun(const Json& start, const Json& changes, int run) {
    Json values = start;
    for (const Json& change : changes) {
        if (fromRunOf(change) > run) continue;
        for (const auto& [name, value] : change.items()) {
            if (name == kFromRun || name == kWithinRun) continue;
            if (value.is_null())
                values.erase(name);
            else
                values[name] = value;
        }
    }
    return values;
}

std::vector<int> changeRuns(const Json& changes) {
    std::vector<int> runs;
    for (const Json& change : changes) runs.push_back(fromRunOf(change));
    std::sort(runs.begin(), runs.end());
    runs.erase(std::unique(runs.begin(), runs.end()), runs.end());
    return runs;
}

std::vector<std::string> editedWithinRun(const Json& changes, int run) {
    std::vector<std::string> names;
    for (const Json& change : changes) {
        if (fromRunOf(change) != run || !change.value(kWithinRun, false)) continue;
        for (const auto& [name, value] : change.items())
            if (name != kFromRun && name != kWithinRun) names.push_back(name);
    }
    return names;
}

void checkValueChanges(const Json& changes) {
    if (!changes.is_array()) throw Error("\"changes\" is not a list");
    for (const Json& change : changes) {
        const bool fromRun = change.is_object() && change.contains(kFromRun) &&
                             change[kFromRun].is_number_unsigned() &&
                             change[kFromRun].get<std::uint64_t>() <=
                                 static_cast<std::uint64_t>(std::numeric_limits<int>::max());
        if (!fromRun || (change.contains(kWithinRun) && !change[kWithinRun].is_boolean()))
            throw Error("\"changes\" holds " + jsonLine(change) +
                        ", which is no change from a run on");
    }
}

}  // namespace mirvok
