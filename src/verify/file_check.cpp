#include "verify/file_check.hpp"

#include <algorithm>
#include <climits>

#include "base/errors.hpp"
#include "batch/batch_memory.hpp"
#include "batch/ordered_runner.hpp"
#include "batch/setup_runs.hpp"
#include "batch/worker_kit.hpp"
#include "records/line_source.hpp"
#include "records/record_line_parser.hpp"
#include "records/record_tokens.hpp"
#include "records/result_file.hpp"
#include "text/number_format.hpp"

namespace mirvok {
namespace {

using InputLists = std::vector<std::optional<std::vector<int>>>;

// A record made again ends with its line end; one that is not made (it
// cannot be made exactly) is empty; one that cannot be made holds why.
bool remade(const IterationOutcome& o) {
    return !o.record.empty() && o.record.back() == '\n';
}

IterationOutcome notMade(std::string why) {
    IterationOutcome outcome;
    outcome.record = std::move(why);
    return outcome;
}

bool fromInputs(const BatchMaking& m) {
    return m.from == MadeFrom::OwnInputs || m.from == MadeFrom::GivenValues;
}

// The records of each section that are made again: those it holds, up to
// those its batch made.
std::vector<long long> jobsOf(const std::vector<FileSection>& sections,
                              const std::vector<BatchMaking>& makings) {
    std::vector<long long> jobs;
    for (std::size_t s = 0; s < sections.size(); ++s)
        jobs.push_back(std::min(sections[s].lines, makings[s].records.value_or(LLONG_MAX)));
    return jobs;
}

// The input list of every record of the sections made again from them.
std::vector<InputLists> readInputLists(const std::string& path,
                                       const std::vector<FileSection>& sections,
                                       const std::vector<BatchMaking>& makings,
                                       const std::vector<long long>& jobs,
                                       std::optional<std::uint64_t> lineLimit) {
    std::vector<InputLists> lists(sections.size());
    if (std::none_of(makings.begin(), makings.end(), fromInputs)) return lists;
    LineSource reader = LineSource::openExisting(path);
    if (lineLimit) reader.setLineLimit(*lineLimit);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        if (sections[s].headerLine > 0) reader.next();
        for (long long i = 0; i < sections[s].lines; ++i) {
            const std::optional<std::string_view> line = reader.next();
            if (!fromInputs(makings[s]) || i >= jobs[s]) continue;
            const RecordTokens tokens = line ? tokenizeRecord(*line) : RecordTokens{};
            StepList input = tokens.exact ? parseStepList(*tokens.input) : StepList{{}, false};
            lists[s].push_back(input.whole ? std::optional(std::move(input.steps)) : std::nullopt);
        }
    }
    return lists;
}

RunSize largestRun(const std::vector<BatchMaking>& makings, const std::vector<InputLists>& lists) {
    RunSize most;
    const auto widen = [&most](const RunSize& size) {
        most.steps = std::max(most.steps, size.steps);
        most.spikes = std::max(most.spikes, size.spikes);
    };
    for (std::size_t s = 0; s < makings.size(); ++s) {
        const BatchMaking& m = makings[s];
        std::size_t longest = 0;
        for (const auto& list : lists[s]) longest = std::max(longest, list ? list->size() : 0);
        if (m.source)
            for (const auto& list : m.source->lists) longest = std::max(longest, list.size());
        for (const ValueSpan& span : m.spans) {
            const RunSize size = runSizeOf(*span.setup);
            widen(m.from == MadeFrom::Seed ? size : RunSize{size.steps, longest});
        }
    }
    return most;
}

std::string namesText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

// The text of "<key> <value>;" in a header line.
std::string headerField(std::string_view header, std::string_view key) {
    const std::size_t at = header.find(key);
    if (at == std::string_view::npos) return "none";
    std::string_view rest = header.substr(at + key.size());
    rest = rest.substr(0, rest.find(';'));
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return std::string(rest);
}

// What a header says other than its batch's values, field by field.
std::vector<std::string> headerDifferences(std::string_view found, const HeaderCheck& check,
                                           long long line) {
    std::string expected = formatResultHeader(check.isi.value_or(0.0), check.shape.value_or(0.0),
                                              check.iterations.value_or(0));
    expected.pop_back();  // its line end
    if (check.line) expected = *check.line;
    const std::string place = "header (line " + IntToStr(line) + ")";
    std::vector<std::string> lines;
    const auto compare = [&](bool known, std::string_view key, std::string_view name) {
        const std::string f = headerField(found, key);
        const std::string e = headerField(expected, key);
        if (known && f != e) lines.push_back(differenceLine(place, name, f, e));
    };
    const bool recorded = check.line.has_value();
    compare(recorded || check.isi.has_value(), "isi:", "isi");
    compare(recorded || check.shape.has_value(), "shape:", "shape");
    compare(recorded || check.iterations.has_value(), "#:", "#");
    const bool whole = recorded || (check.isi && check.shape && check.iterations);
    if (lines.empty() && whole && found != expected)
        lines.push_back(differenceLine(place, "text", shownText(found), shownText(expected)));
    return lines;
}

std::string megabytes(std::uint64_t bytes) {
    return IntToStr(static_cast<long long>((bytes + 999999) / 1000000));
}

// The plan of a check of `total` records, refused when it would not fit in
// the memory available. A check makes the runs its file holds: only fewer
// threads can make it fit.
RunnerPlan planCheck(int total, const CheckRun& run, const RunSize& size) {
    const RunnerPlan plan = planBatch(total, run.threads, size, std::nullopt);
    if (!run.availableBytes || batchBytes(plan, size) <= *run.availableBytes) return plan;
    const std::string needs =
        "The check needs " + megabytes(batchBytes(plan, size)) + " MB of memory, " +
        IntToStr(static_cast<long long>(*run.availableBytes / 1000000)) + " MB are available: ";
    for (int workers = plan.workers - 1; workers >= 1; --workers)
        if (batchBytes(planRun(total, workers, recordBytes(size)), size) <= *run.availableBytes)
            throw InputError(needs + "use at most " + counted(workers, "thread"));
    throw InputError(needs + "its longest run does not fit even on one thread");
}

class FileCheck {
  public:
    FileCheck(const std::string& path, const std::vector<FileSection>& sections,
              const std::vector<BatchMaking>& makings, std::optional<std::uint64_t> lineLimit,
              VerifyTally& tally)
        : path_(path),
          sections_(sections),
          makings_(makings),
          tally_(tally),
          jobs_(jobsOf(sections, makings)),
          lists_(readInputLists(path, sections, makings, jobs_, lineLimit)),
          reader_(LineSource::openExisting(path)) {
        if (lineLimit) reader_.setLineLimit(*lineLimit);
        long long offset = 0;
        for (long long jobs : jobs_) {
            offsets_.push_back(offset);
            offset += jobs;
        }
        total_ = offset;
    }

    long long total() const { return total_; }
    RunSize largest() const { return largestRun(makings_, lists_); }

    IterationOutcome work(WorkerKit& kit, const BatchSetup*& loaded, long long job) const {
        const auto [s, i] = place(job);
        const BatchMaking& m = makings_[s];
        if (m.inexact.contains(i)) return {};
        const ValueSpan& span = m.spanOf(i);
        if (loaded != span.setup.get()) {
            loadSetup(kit, *span.setup);
            loaded = span.setup.get();
        }
        const int index = static_cast<int>(i);
        try {
            if (m.from == MadeFrom::Seed)
                return runSetupIteration(kit, *span.setup, span.seed, index);
            const std::vector<int>* list = nullptr;
            if (m.source && static_cast<std::size_t>(i) < m.source->lists.size())
                list = &m.source->lists[static_cast<std::size_t>(i)];
            if (!m.source && lists_[s][static_cast<std::size_t>(i)])
                list = &*lists_[s][static_cast<std::size_t>(i)];
            if (!list)
                return notMade(m.source ? "the replayed file holds no such record"
                                        : "its input list cannot be read");
            return runReplayIteration(kit.state, *list, kit.values(), index);
        } catch (const Error& e) {
            return notMade(e.what());
        }
    }

    void compare(long long job, const IterationOutcome& outcome) {
        // Plain variables: clang 14 lets no lambda capture a structured binding.
        const std::pair<std::size_t, long long> at = place(job);
        const std::size_t s = at.first;
        const long long i = at.second;
        enter(s);
        const std::optional<std::string_view> line = reader_.next();
        if (!line) throw FileError::couldNotRead(path_);
        const BatchMaking& m = makings_[s];
        const auto where = [&] { return recordPlace(i, reader_.number()); };
        if (outcome.record.empty()) {
            tally_.inexact(where() + ": cannot be made again exactly: " +
                           namesText(m.inexact.at(i)) + " edited while it ran");
            return;
        }
        tally_.checked();
        if (!remade(outcome)) {
            tally_.differs({where() + ": cannot be made again: " + outcome.record});
            return;
        }
        const std::string_view expected(outcome.record.data(), outcome.record.size() - 1);
        std::vector<std::string> lines =
            recordDifferences(*line, reader_.ended(), expected, m.fields());
        if (lines.empty()) return;
        const std::string place = where();
        for (std::string& text : lines) text = place + ": " + text;
        tally_.differs(lines);
    }

    // The lines after the last record compared: those of the sections
    // still to come.
    void finish() { enter(sections_.size()); }

  private:
    std::pair<std::size_t, long long> place(long long job) const {
        const auto after = std::upper_bound(offsets_.begin(), offsets_.end(), job);
        // Sections without records made again share their offset with the next.
        const auto s = static_cast<std::size_t>(after - offsets_.begin() - 1);
        return {s, job - offsets_[s]};
    }

    // Reads on to section s: the rest of the section being read, and the
    // headers and lines of any in between.
    void enter(std::size_t s) {
        if (started_ && current_ == s) return;
        if (started_) leave(current_++);
        for (; current_ < s; ++current_) {
            start(current_);
            leave(current_);
        }
        if (s < sections_.size()) start(s);
        started_ = true;
    }

    void start(std::size_t s) {
        if (sections_[s].headerLine == 0) return;
        const std::optional<std::string_view> header = reader_.next();
        if (!header) throw FileError::couldNotRead(path_);
        std::vector<std::string> lines =
            headerDifferences(*header, makings_[s].header, reader_.number());
        if (!lines.empty()) tally_.differs(lines);
    }

    // The lines of section s beyond the records made again, and the records
    // its batch made that it lacks.
    void leave(std::size_t s) {
        const long long have = sections_[s].lines;
        for (long long i = jobs_[s]; i < have; ++i) {
            reader_.next();
            tally_.checked();
            tally_.differs({recordPlace(i, reader_.number()) + ": made by no batch described"});
        }
        const long long made = makings_[s].records.value_or(have);
        for (long long i = have; i < made; ++i) {
            tally_.checked();
            tally_.differs({"record " + IntToStr(i) + " of " +
                            (sections_[s].headerLine > 0
                                 ? "the batch at line " + IntToStr(sections_[s].headerLine)
                                 : std::string("the file")) +
                            ": missing"});
        }
    }

    std::string path_;
    const std::vector<FileSection>& sections_;
    const std::vector<BatchMaking>& makings_;
    VerifyTally& tally_;
    std::vector<long long> jobs_;
    std::vector<long long> offsets_;
    std::vector<InputLists> lists_;
    LineSource reader_;
    long long total_ = 0;
    std::size_t current_ = 0;
    bool started_ = false;
};

}  // namespace

void checkResultFile(const std::string& path, const std::vector<FileSection>& sections,
                     const std::vector<BatchMaking>& makings, const CheckRun& run,
                     VerifyTally& tally) {
    FileCheck check(path, sections, makings, run.availableBytes, tally);
    if (check.total() > INT_MAX)
        throw InputError(path + " holds more records than one check makes");
    const int total = static_cast<int>(check.total());
    if (total > 0) {
        const RunnerPlan plan = planCheck(total, run, check.largest());
        std::vector<WorkerKit> kits(static_cast<std::size_t>(plan.workers));
        std::vector<const BatchSetup*> loaded(kits.size(), nullptr);
        const int handed = runOrdered(
            plan,
            [&](int worker, int job) {
                const auto w = static_cast<std::size_t>(worker);
                return check.work(kits[w], loaded[w], job);
            },
            [&](int first, std::span<IterationOutcome> block) {
                for (std::size_t j = 0; j < block.size(); ++j)
                    check.compare(first + static_cast<long long>(j), block[j]);
                if (run.progress) run.progress(first + static_cast<long long>(block.size()), total);
            },
            run.stop);
        if (handed < total) {
            tally.stopped();
            return;
        }
    }
    check.finish();
}

}  // namespace mirvok
