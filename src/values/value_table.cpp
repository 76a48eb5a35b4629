#include "values/value_table.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/errors.hpp"
#include "model/reset.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/generator_limits.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {
namespace {

using K = ValueKind;
using G = ValueGroup;

// The CV range the generator accepts, from its shape limits (CV = 1/sqrt(shape)).
// The shape squares the CV, so a negative one draws as its size does.
std::string cvHelp() {
    return "CV of the intervals, " + FloatToStr(1.0 / std::sqrt(kMaxShape), '.') + " to " +
           FloatToStr(1.0 / std::sqrt(kMinShape), '.') +
           " in size, its sign does not matter (the gamma shape is 1/cv^2)";
}

constexpr std::size_t kMostAddedRows = 4;

// The keyword is the option as Python spells names; the default is what a
// setup holds until a value is given, so both cannot drift from it.
void complete(ValueRow& row) {
    row.keyword = keywordOf(row.option);
    const double value = row.get(BatchSetup{});
    row.defaultText = row.kind == ValueKind::Integer ? IntToStr(static_cast<long long>(value))
                                                     : FloatToStr(value, '.');
}

std::vector<ValueRow> makeTable() {
    std::vector<ValueRow> rows{
        {.option = "time",
         .kind = K::Integer,
         .help = "run length in ms (integer)",
         .unit = "ms",
         .control = "TimeEdit",
         .group = G::Run,
         .set = [](BatchSetup& s, double v) { s.reset.time = static_cast<int>(v); },
         .get = [](const BatchSetup& s) { return static_cast<double>(s.reset.time); },
         .runValue = RunValue::Time,
         // Refused before anything else when the run would not fit in memory.
         .derive =
             [](BatchSetup& s) { s.steps = stepsForRunLength(s.reset.time, s.reset.memory); }},
        {.option = "v1-start",
         .kind = K::Real,
         .help = "start volume of compartment 1",
         .control = "V1_start",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.reset.v1 = v; },
         .get = [](const BatchSetup& s) { return s.reset.v1; },
         .runValue = RunValue::V1Start},
        {.option = "gamma1",
         .kind = K::Real,
         .help = "refill rate of compartment 1",
         .control = "gamma1",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.rates.g1 = v; },
         .get = [](const BatchSetup& s) { return s.rates.g1; },
         .runValue = RunValue::Gamma1},
        {.option = "delta1",
         .kind = K::Real,
         .help = "fraction of V1 lost at an input spike",
         .control = "delta1",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.rates.d1 = v; },
         .get = [](const BatchSetup& s) { return s.rates.d1; },
         .runValue = RunValue::Delta1},
        {.option = "v2-start",
         .kind = K::Real,
         .help = "start volume of compartment 2",
         .control = "V2_start",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.reset.v2 = v; },
         .get = [](const BatchSetup& s) { return s.reset.v2; },
         .runValue = RunValue::V2Start},
        {.option = "gamma2",
         .kind = K::Real,
         .help = "refill rate of compartment 2",
         .control = "gamma2",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.rates.g2 = v; },
         .get = [](const BatchSetup& s) { return s.rates.g2; },
         .runValue = RunValue::Gamma2},
        {.option = "delta2",
         .kind = K::Real,
         .help = "fraction of V2 lost at an input spike",
         .control = "delta2",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.rates.d2 = v; },
         .get = [](const BatchSetup& s) { return s.rates.d2; },
         .runValue = RunValue::Delta2},
        {.option = "epsilon",
         .kind = K::Real,
         .help = "coincidence window",
         .control = "MaxDiff",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.reset.eps = v; },
         .get = [](const BatchSetup& s) { return s.reset.eps; },
         .runValue = RunValue::Epsilon},
        {.option = "boundary-tol",
         .kind = K::Real,
         .help = "boundary tolerance",
         .control = "ZeroDiff",
         .group = G::Model,
         .set = [](BatchSetup& s, double v) { s.reset.tol = v; },
         .get = [](const BatchSetup& s) { return s.reset.tol; },
         .runValue = RunValue::BoundaryTol},
        {.option = "ign",
         .kind = K::Integer,
         .help = "leave out spikes up to this step",
         .unit = "steps",
         .control = "ign",
         .group = G::Analysis,
         .set = [](BatchSetup& s, double v) { s.analysis.ignSteps = static_cast<int>(v); },
         .get = [](const BatchSetup& s) { return static_cast<double>(s.analysis.ignSteps); },
         .runValue = RunValue::Ign},
        {.option = "range",
         .kind = K::Integer,
         .help = "intervals in one local window",
         .control = "Range",
         .group = G::Analysis,
         .set = [](BatchSetup& s, double v) { s.analysis.rangeIntervals = static_cast<int>(v); },
         .get = [](const BatchSetup& s) { return static_cast<double>(s.analysis.rangeIntervals); },
         .runValue = RunValue::Range},
        {.option = "c0",
         .kind = K::Real,
         .help = "CV threshold of the scores",
         .control = "C0Edit",
         .group = G::Analysis,
         .set = [](BatchSetup& s, double v) { s.analysis.c0Value = v; },
         .get = [](const BatchSetup& s) { return s.analysis.c0Value; },
         .runValue = RunValue::C0},
        {.option = "isi",
         .kind = K::Real,
         .help = "mean inter-spike interval in ms",
         .unit = "ms",
         .control = "isi",
         .group = G::Generator,
         .set = [](BatchSetup& s, double v) { s.generator.isi = v; },
         .get = [](const BatchSetup& s) { return s.generator.isi; },
         .headerHelp = "mean interval recorded in the header"},
        {.option = "isi-jitter",
         .kind = K::Real,
         .help = "half-width in ms of a random shift of the mean",
         .unit = "ms",
         .control = "isiInt",
         .group = G::Generator,
         .set = [](BatchSetup& s, double v) { s.generator.isiJitter = v; },
         .get = [](const BatchSetup& s) { return s.generator.isiJitter; }},
        {.option = "cv",
         .kind = K::Real,
         .help = cvHelp(),
         .control = "CVedit",
         .group = G::Generator,
         .set = [](BatchSetup& s, double v) { s.generator.cv = v; },
         .get = [](const BatchSetup& s) { return s.generator.cv; },
         // The shape as the window writes it into its box and reads it back.
         .derive =
             [](BatchSetup& s) {
                 s.headerShape = StrToDouble(shapeTextForCv(s.generator.cv, '.'), '.');
             },
         .headerHelp = "CV whose shape is recorded in the header"},
    };
    for (ValueRow& row : rows) complete(row);
    // Room for the rows added while trying, so that no row a caller holds moves.
    rows.reserve(rows.size() + kMostAddedRows);
    return rows;
}

std::vector<ValueRow>& rowsOfTable() {
    static std::vector<ValueRow> rows = makeTable();
    return rows;
}

const ValueRow* findRow(std::string_view text, std::string ValueRow::*field) {
    for (const ValueRow& row : valueTable())
        if (row.*field == text) return &row;
    return nullptr;
}

}  // namespace

std::span<const SettingRow> settingTable() {
    // In Setting's order, which settingRow relies on.
    static const std::vector<SettingRow> rows{
        {Setting::Iterations, "iterations", "iterations", "number of runs"},
        {Setting::Seed, "seed", "seed", "random seed"},
        {Setting::Quantify, "quantify", "quantify", "give every train a random gamma shape", true},
        {Setting::C01, "c01", "c01", "with --quantify: the random shape is 1 or 100000", true},
        {Setting::Segments, "segment", "segments",
         "segment ending at step END with its own mean interval and CV; give one --segment "
         "per segment, in order, the last END being the run's last step",
         true},
    };
    return rows;
}

const SettingRow& settingRow(Setting setting) {
    return settingTable()[static_cast<std::size_t>(setting)];
}

const SettingRow* settingAmongValues(std::string_view name) {
    for (const SettingRow& row : settingTable())
        if (row.amongValues && row.keyword == name) return &row;
    return nullptr;
}

std::string settingFlag(Setting setting) {
    return "--" + settingRow(setting).option;
}

ValueError refusedSetting(Setting setting, const std::string& reason) {
    const SettingRow& row = settingRow(setting);
    return ValueError(row.option, row.keyword, reason);
}

std::span<const ValueRow> valueTable() {
    return rowsOfTable();
}

AddedValueRow::AddedValueRow(ValueRow row) {
    std::vector<ValueRow>& rows = rowsOfTable();
    if (rows.size() == rows.capacity()) throw Error("no room for another row");
    complete(row);
    rows.push_back(std::move(row));
}

AddedValueRow::~AddedValueRow() {
    rowsOfTable().pop_back();
}

std::vector<const ValueRow*> valueRows(std::initializer_list<ValueGroup> groups) {
    std::vector<const ValueRow*> rows;
    for (const ValueRow& row : valueTable())
        if (std::find(groups.begin(), groups.end(), row.group) != groups.end())
            rows.push_back(&row);
    return rows;
}

const ValueRow* rowOfOption(std::string_view option) {
    return findRow(option, &ValueRow::option);
}

const ValueRow* rowOfKeyword(std::string_view keyword) {
    return findRow(keyword, &ValueRow::keyword);
}

const ValueRow* rowOfControl(std::string_view control) {
    return findRow(control, &ValueRow::control);
}

const ValueRow& rowOfRunValue(RunValue key) {
    // Found once: every read of a run asks for its row.
    static const std::array<const ValueRow*, kRunValues> rows = [] {
        std::array<const ValueRow*, kRunValues> found{};
        for (const ValueRow& row : valueTable())
            if (row.runValue) found[static_cast<std::size_t>(*row.runValue)] = &row;
        return found;
    }();
    return *rows[static_cast<std::size_t>(key)];
}

const ValueRow* rowOfGeneratorEntry(GeneratorEntry entry) {
    switch (entry) {
        case GeneratorEntry::Isi:
            return rowOfOption("isi");
        case GeneratorEntry::IsiJitter:
            return rowOfOption("isi-jitter");
        case GeneratorEntry::Cv:
            return rowOfOption("cv");
        case GeneratorEntry::Shape:
            return nullptr;
    }
    return nullptr;
}

std::string keywordOf(std::string_view option) {
    std::string keyword(option);
    std::replace(keyword.begin(), keyword.end(), '-', '_');
    return keyword;
}

std::string optionList() {
    std::string list;
    for (const ValueRow& row : valueTable()) list += (list.empty() ? "" : ", ") + row.option;
    return list;
}

std::vector<std::string> notReadByReplay() {
    std::vector<std::string> names;
    for (const ValueRow* row : valueRows({ValueGroup::Generator}))
        if (row->headerHelp.empty()) names.push_back(row->option);
    return names;
}

std::vector<NamedValue> batchValues(const BatchSetup& setup) {
    std::vector<NamedValue> values;
    for (const ValueRow& row : valueTable()) values.push_back({row.option, row.get(setup)});
    return values;
}

}  // namespace mirvok
