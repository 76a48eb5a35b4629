#include "verify/batch_makings.hpp"

#include <algorithm>
#include <filesystem>

#include "base/errors.hpp"
#include "text/json.hpp"
#include "text/number_format.hpp"
#include "values/setup_of_values.hpp"
#include "values/value_changes.hpp"
#include "values/values_before.hpp"

namespace mirvok {
namespace {

// The window names itself so; its header holds the shape box as it stood,
// which its values do not give.
constexpr const char* kWindowProgram = "mirvok";

// An entry and the number of its file, for messages.
struct NumberedEntry {
    const Provenance* entry;
    std::string where;  // "output.csv.json: entry 2"
};

using Group = std::vector<NumberedEntry>;

std::optional<long long> continuedFrom(const NumberedEntry& e) {
    const Json& more = e.entry->more;
    if (!more.contains("continued_from")) return std::nullopt;
    const Json& from = more["continued_from"];
    if (!from.is_number_unsigned() || from.get<std::uint64_t>() > 0x7fffffffU)
        throw Error(e.where + ": \"continued_from\" is not a record index");
    return from.get<long long>();
}

// Whether a continuation goes on with the batch of the entry before it:
// that batch did not end as it should, or ended where the continuation
// starts. Otherwise the batch it continued has no entry (an earlier version
// wrote entries at the end only, so a killed batch left none).
bool continues(const NumberedEntry& before, long long from) {
    const Provenance& p = *before.entry;
    const bool ended = p.state == EntryState::Complete || p.state == EntryState::Stopped;
    return !ended || continuedFrom(before).value_or(0) + p.runs == from;
}

// A batch and the entries that continue it.
std::vector<Group> groupsOf(const std::string& jsonPath, const std::vector<Provenance>& entries) {
    std::vector<Group> groups;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        NumberedEntry e{&entries[i],
                        jsonPath + ": entry " + IntToStr(static_cast<long long>(i + 1))};
        const std::optional<long long> from = continuedFrom(e);
        if (groups.empty() || !from || !continues(groups.back().back(), *from))
            groups.emplace_back();
        groups.back().push_back(e);
    }
    return groups;
}

std::shared_ptr<const BatchSetup> setupOf(const NumberedEntry& e, Json values) {
    values.erase("iterations");  // the count a window batch read, no value of a run
    try {
        return std::make_shared<const BatchSetup>(
            setupOfValues(withValuesBefore(values, e.entry->version)));
    } catch (const ValueError& error) {
        throw Error(e.where + ": " + error.option() + ": " + error.what());
    } catch (const Error& error) {
        throw Error(e.where + ": " + error.what());
    }
}

// The spans of one entry's records from `start` on: its values, then as the
// window's edits changed them.
void addSpans(BatchMaking& m, const NumberedEntry& e, long long start, std::uint64_t seed) {
    const Json changes = e.entry->more.value("changes", Json::array());
    try {
        checkValueChanges(changes);
    } catch (const Error& error) {
        throw Error(e.where + ": " + error.what());
    }
    m.spans.push_back({static_cast<int>(start), setupOf(e, e.entry->values), seed});
    for (int run : changeRuns(changes)) {
        m.spans.push_back({static_cast<int>(start + run),
                           setupOf(e, valuesOfRun(e.entry->values, changes, run)), seed});
        std::vector<std::string> names = editedWithinRun(changes, run);
        if (!names.empty()) m.inexact[start + run] = std::move(names);
    }
}

HeaderCheck headerOf(const NumberedEntry& e, const BatchSetup& setup, bool counted) {
    HeaderCheck header;
    header.isi = setup.generator.isi;
    if (e.entry->program != kWindowProgram) header.shape = setup.headerShape;
    if (counted) header.iterations = static_cast<int>(e.entry->iterations);
    const auto line = e.entry->more.find("header");
    if (line != e.entry->more.end() && line->is_string()) header.line = line->get<std::string>();
    return header;
}

std::string sectionName(const FileSection& section) {
    return "the batch at line " + IntToStr(section.headerLine);
}

// Where the file a replay read may be now: named relative to the result
// file's folder (as replays record it), or as named (relative to the folder
// an older replay ran in).
std::vector<std::string> sourceCandidates(const std::string& path, const std::string& source) {
    if (std::filesystem::path(source).is_absolute()) return {source};
    const std::filesystem::path beside = std::filesystem::path(path).parent_path() / source;
    return {beside.lexically_normal().string(), source};
}

// The replay's source when it is there as it was replayed; otherwise nullopt
// and why not. The source is read once: its reading sums its SHA-256 too.
std::shared_ptr<const ReplaySource> unchangedSource(const std::string& path, const NumberedEntry& e,
                                                    std::string& whyNot) {
    const std::vector<std::string> candidates = sourceCandidates(path, *e.entry->source);
    const std::string recorded = e.entry->more.value("source_sha256", std::string());
    if (recorded.empty()) {
        whyNot = "its provenance holds no SHA-256 of " + candidates.front();
        return nullptr;
    }
    whyNot.clear();
    for (const std::string& source : candidates) {
        std::optional<ReplaySource> read;
        try {
            read = readReplaySource(source);
        } catch (const FileError&) {
            // No digest to be had is no proof that it is unchanged.
            if (whyNot.empty()) whyNot = source + " changed since";
            continue;
        }
        if (!read) continue;
        if (read->sha256 == recorded) return std::make_shared<const ReplaySource>(std::move(*read));
        if (whyNot.empty()) whyNot = source + " changed since";
    }
    if (whyNot.empty()) whyNot = candidates.front() + " is gone";
    return nullptr;
}

// The records an entry's batch made, as far as its entry can tell: those of
// a batch that ended as it should; for one still running, killed, stopped
// by a signal or failed, whatever whole records the file holds.
std::optional<long long> claimedRuns(const Provenance& entry) {
    if (entry.state == EntryState::Complete || entry.state == EntryState::Stopped)
        return entry.runs;
    return std::nullopt;
}

BatchMaking replayMaking(const std::string& path, const FileSection& section,
                         const NumberedEntry& e, VerifyTally& tally) {
    if (!e.entry->source) throw Error(e.where + ": a replay without its \"source\"");
    BatchMaking m;
    addSpans(m, e, 0, 0);
    m.header = headerOf(e, *m.spans.front().setup, false);
    m.records = claimedRuns(*e.entry);
    std::string whyNot;
    m.source = unchangedSource(path, e, whyNot);
    m.from = m.source ? MadeFrom::Source : MadeFrom::OwnInputs;
    if (m.source) return m;
    tally.note(sectionName(section) + " replayed " + *e.entry->source + ", but " + whyNot +
               ": each record was made again from its own input list");
    tally.unchecked("the input lists of " + sectionName(section));
    // The provenance vouches for a source the files no longer hold, unless
    // the replay wrote into its source itself.
    std::error_code ec;
    const bool own =
        std::filesystem::equivalent(sourceCandidates(path, *e.entry->source).front(), path, ec);
    if (e.entry->more.contains("source_sha256") && !own)
        tally.differs({sectionName(section) + ": source: " + whyNot});
    return m;
}

BatchMaking seededMaking(const Group& group) {
    BatchMaking m;
    m.from = MadeFrom::Seed;
    long long end = 0;
    for (const NumberedEntry& e : group) {
        if (!e.entry->seed) throw Error(e.where + ": a batch without its \"seed\"");
        // A continuation alone goes on after the records of a batch not described.
        const long long start = continuedFrom(e).value_or(0);
        addSpans(m, e, start, *e.entry->seed);
        end = std::max(end, start + e.entry->runs);
    }
    // The last entry of the group says whether its batch ended as it should.
    const bool claimed = claimedRuns(*group.back().entry).has_value();
    std::stable_sort(m.spans.begin(), m.spans.end(),
                     [](const ValueSpan& a, const ValueSpan& b) { return a.from < b.from; });
    // A continuation whose own batch is not described goes on with its values.
    m.spans.front().from = 0;
    m.header = headerOf(group.front(), *m.spans.front().setup, true);
    if (claimed) m.records = end;
    return m;
}

BatchMaking groupMaking(const std::string& path, const FileSection& section, const Group& group,
                        VerifyTally& tally) {
    const NumberedEntry& first = group.front();
    const std::string& command = first.entry->command;
    const bool point = command == "sweep" && first.entry->more.contains("point");
    if (command == "replay" || command == "batch") {
        // The window's header holds its shape box, which no value gives: an
        // older window file, which did not record its header, has it unchecked.
        if (first.entry->program == kWindowProgram && !first.entry->more.contains("header"))
            tally.unchecked("the shape in the header of " + sectionName(section));
    }
    if (command == "replay") return replayMaking(path, section, first, tally);
    if (command == "batch" || point) return seededMaking(group);
    if (command == "sweep" || command == "join")
        throw Error(first.where + " describes a sweep's summary: verify the sweep's folder");
    throw Error(first.where + ": \"" + command + "\" makes no result file");
}

BatchMaking givenMaking(const MakingInputs& inputs) {
    BatchMaking m;
    m.spans.push_back({0, inputs.given, 0});
    return m;
}

}  // namespace

FieldSet BatchMaking::fields() const {
    switch (from) {
        case MadeFrom::Seed:
        case MadeFrom::Source:
            return FieldSet::All;
        case MadeFrom::OwnInputs:
            return FieldSet::AllButInput;
        case MadeFrom::GivenValues:
            break;
    }
    return FieldSet::Results;
}

const ValueSpan& BatchMaking::spanOf(long long record) const {
    const auto after = std::upper_bound(
        spans.begin(), spans.end(), record,
        [](long long r, const ValueSpan& span) { return r < static_cast<long long>(span.from); });
    return *(after - 1);
}

std::vector<BatchMaking> batchMakings(const std::string& path,
                                      const std::vector<FileSection>& sections,
                                      const std::optional<std::vector<Provenance>>& entries,
                                      const MakingInputs& inputs, VerifyTally& tally) {
    // Entries of batches that wrote nothing describe no section.
    std::vector<Provenance> described = entries.value_or(std::vector<Provenance>{});
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec) dropEmptyEntries(described, size);
    const std::vector<Group> groups =
        entries ? groupsOf(provenancePath(path), described) : std::vector<Group>{};
    std::vector<BatchMaking> makings(sections.size());
    // The newest entries describe the last batches: an older file appended to
    // holds batches from before its provenance.
    std::size_t g = groups.size();
    long long undescribed = 0;
    for (std::size_t s = sections.size(); s-- > 0;) {
        if (g > 0 && sections[s].headerLine > 0) {
            makings[s] = groupMaking(path, sections[s], groups[--g], tally);
        } else {
            makings[s] = givenMaking(inputs);
            undescribed += sections[s].headerLine > 0 ? 1 : 0;
        }
    }
    if (g > 0)
        tally.differs({"file: found " +
                       counted(static_cast<long long>(groups.size() - g), "batch", "batches") +
                       ", expected " + IntToStr(static_cast<long long>(groups.size())) + " (" +
                       provenancePath(path) + ")"});
    const std::string made = "made again from its input list with the values given";
    if (!entries)
        tally.note(path + " has no " + provenancePath(path) + ": each record was " + made);
    else if (undescribed > 0)
        tally.note((undescribed == 1
                        ? "the first batch of " + path + " is"
                        : "the first " + IntToStr(undescribed) + " batches of " + path + " are") +
                   " not in " + provenancePath(path) + ": each of their records was " + made);
    if (entries && !sections.empty() && sections.front().headerLine == 0)
        tally.note("the lines before the first header of " + path + " belong to no batch of " +
                   provenancePath(path) + ": each was " + made);
    return makings;
}

}  // namespace mirvok
