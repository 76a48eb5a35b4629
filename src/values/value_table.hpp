#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/errors.hpp"
#include "model/value_source.hpp"
#include "trains/generator_limits.hpp"

namespace mirvok {

struct BatchSetup;

// Whether a value is a whole number (StrToInt) or any number (StrToDouble).
enum class ValueKind { Integer, Real };

// Who reads a value, and so which commands and functions take it: every run
// its length, a run its model and analysis values, the generator its own.
enum class ValueGroup { Run, Model, Analysis, Generator };

// One number a batch reads: everything a front end needs to offer it, to
// name it in a message and to put it where the batch reads it. Adding a
// value to Mirvok is adding a row, its field (with its default) in the batch
// setup, and for a value a run reads its key (RunValue) where the model or
// the analysis reads it; the window's box is one row of its layout.
struct ValueRow {
    std::string option;  // "v1-start": command-line option, provenance, sweep names
    ValueKind kind;
    std::string help;       // "start volume of compartment 1"
    std::string unit = {};  // "", "ms" or "steps"
    std::string control;    // "V1_start": the window's box of it
    ValueGroup group;
    void (*set)(BatchSetup& setup, double value);  // an integer arrives whole
    double (*get)(const BatchSetup& setup);
    // The key under which a run reads the value, for those the model and
    // its analysis read: the front ends answer a run's read of it from this
    // row, and an overflow at a rate the step read is refused under its name.
    std::optional<RunValue> runValue = std::nullopt;
    // What follows in the setup from the value, found as soon as it is set
    // and refused under its name: the run's steps from its length, the
    // header's shape from the cv. May throw; null for most values.
    void (*derive)(BatchSetup& setup) = nullptr;
    // What a result file's header records when the value is only recorded
    // there (a replay's mean interval and CV); empty for the others.
    std::string headerHelp = {};
    // The revision of the result files' records (the version of Mirvok
    // that wrote them) from which on they list the value, empty for a value
    // every record lists; and its value before: the value that makes again
    // what a file made earlier holds (0 for a period that did not exist).
    std::string since = {};
    double before = 0.0;
    // Made by the table from the above: "v1_start", the Python keyword; and
    // "0.2", the setup's default written with the full stop.
    std::string keyword = {};
    std::string defaultText = {};
};

// The values of a batch that are no number of its runs: the count of its
// runs, its seed, the generator's two switches and its segments.
enum class Setting { Iterations, Seed, Quantify, C01, Segments };

// A row of one of them, named here once for every front end. They stand
// apart from the value rows where they always have: FILE.json records the
// count and the seed beside the values and the others among them under
// their keyword; --help, the copy command and Python's signatures list them
// after the numbers; a sweep varies none of them.
struct SettingRow {
    Setting setting;
    std::string option;        // "segment": the command-line option, given once per segment
    std::string keyword;       // "segments": Python's keyword and FILE.json's name
    std::string help;          // the option's help where every command says the same
    bool amongValues = false;  // FILE.json keeps it among the values, after the numbers
};

std::span<const SettingRow> settingTable();
const SettingRow& settingRow(Setting setting);
// The setting FILE.json keeps among the values under this name; null for
// any other name.
const SettingRow* settingAmongValues(std::string_view name);
// "--segment": the option as typed on a command line.
std::string settingFlag(Setting setting);
// A refusal of the setting under its option and its keyword.
ValueError refusedSetting(Setting setting, const std::string& reason);

// Every row, in the order the values are listed to the user.
std::span<const ValueRow> valueTable();

// A row added to the end of the table for as long as this lives: for trying
// what a value added later does to files made before it. Not while another
// thread reads the table.
class AddedValueRow {
  public:
    explicit AddedValueRow(ValueRow row);
    ~AddedValueRow();
    AddedValueRow(const AddedValueRow&) = delete;
    AddedValueRow& operator=(const AddedValueRow&) = delete;
};

// The rows of the groups given, in table order.
std::vector<const ValueRow*> valueRows(std::initializer_list<ValueGroup> groups);

// The row of an option name, a Python keyword or a window control; null
// when there is none.
const ValueRow* rowOfOption(std::string_view option);
const ValueRow* rowOfKeyword(std::string_view keyword);
const ValueRow* rowOfControl(std::string_view control);

// The row of a value a run reads.
const ValueRow& rowOfRunValue(RunValue key);

// The row of a generator entry; null for a shape typed in the window,
// which no option sets.
const ValueRow* rowOfGeneratorEntry(GeneratorEntry entry);

// An option name as Python spells a keyword: '_' for '-'.
std::string keywordOf(std::string_view option);

// "time, v1-start, ..., cv": every option name, for a message.
std::string optionList();

// The values a replay does not read and so does not record: the generator's
// own besides those its header records.
std::vector<std::string> notReadByReplay();

// One value of a setup under its option name.
struct NamedValue {
    std::string_view name;
    double value = 0.0;
};

// The setup's value of every row, in table order.
std::vector<NamedValue> batchValues(const BatchSetup& setup);

}  // namespace mirvok
