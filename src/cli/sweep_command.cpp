#include "cli/sweep_command.hpp"

#include "base/errors.hpp"
#include "batch/batch_summary.hpp"
#include "batch/results/provenance_recorder.hpp"
#include "batch/sweep/sweep_grid.hpp"
#include "batch/sweep/sweep_runner.hpp"
#include "batch/sweep/sweep_seeds.hpp"
#include "cli/file_batch.hpp"
#include "cli/interrupt.hpp"
#include "cli/option_error.hpp"
#include "cli/option_values.hpp"
#include "cli/sweep_store.hpp"
#include "system/machine_memory.hpp"
#include "text/number_parse.hpp"

namespace mirvok::cli {
namespace {

SweepGrid gridOption(const std::vector<std::string>& specs) {
    SweepGrid grid;
    try {
        for (const std::string& spec : specs) grid.add(parseSweepAxis(spec));
    } catch (const InputError& e) {
        throw optionError("--vary", e.what());
    }
    return grid;
}

std::vector<std::string> namesOf(const SweepGrid& grid) {
    std::vector<std::string> names;
    for (const SweepAxis& axis : grid.axes()) names.push_back(axis.name);
    return names;
}

// What determines the results, as sweep.json holds it.
std::string describe(const SweepGrid& grid, const BatchSetup& first, const SweepOptions& o,
                     int iterations, std::uint64_t seed) {
    std::vector<std::string> axes;
    for (const SweepAxis& axis : grid.axes()) {
        std::vector<double> values;
        for (const std::string& text : axis.texts) values.push_back(StrToDouble(text, '.'));
        JsonObjectWriter json;
        json.member("name", axis.name);
        json.member("values", values);
        axes.push_back(json.object());
    }
    JsonObjectWriter json;
    json.raw("values", batchValuesJson(first, namesOf(grid)));
    json.raw("vary", jsonList(axes));
    json.member("iterations", static_cast<long long>(iterations));
    json.flag("keep-records", o.keepRecords);
    json.member("seed", static_cast<long long>(seed));
    json.member("points", static_cast<long long>(grid.points()));
    return json.lines();
}

// --seed, or without it the seed of the same sweep in DIR, so that running
// a clock-seeded sweep again continues it; otherwise the clock.
template <typename Describe>
std::uint64_t sweepSeed(const SweepOptions& o, const SweepDirectory& dir, Describe describeWith) {
    if (o.seed) return seedOrClock(o.seed);
    const std::optional<std::string> there = dir.description();
    if (there) {
        const std::optional<std::uint64_t> seed = describedNumber(*there, "seed");
        if (seed && *there == describeWith(*seed)) return *seed;
    }
    return seedOrClock(std::nullopt);
}

SweepPart partOption(const SweepOptions& o) {
    if (!o.part) return SweepPart{};
    const SweepPart part = parsePart(*o.part);
    if (!o.seed) throw optionError("--part", "requires --seed, the same for every part");
    return part;
}

struct Sweep {
    SweepGrid grid;
    std::vector<BatchSetup> setups;
    int iterations = 0;
    SweepPart part;
    int threads = 1;
    std::uint64_t seed = 0;
    std::string description;  // sweep.json
};

SweepRun pointsToRun(const Sweep& s, const SweepDirectory& dir, bool keepRecords) {
    SweepRun run;
    run.iterations = s.iterations;
    run.records = keepRecords ? RecordText::Formatted : RecordText::Skipped;
    for (int p = 0; p < s.grid.points(); ++p) {
        if (s.part.holds(p) && !dir.done(p, keepRecords))
            run.points.push_back({p, pointSeed(s.seed, p), s.setups[static_cast<std::size_t>(p)]});
    }
    return run;
}

void runPoints(const Sweep& s, const SweepRun& run, const SweepDirectory& dir,
               const SweepOptions& o) {
    const InterruptCatcher interrupts;
    ProgressBar progress(static_cast<long long>(run.points.size()) * s.iterations,
                         progressWanted(o.quiet));
    SweepStore store(dir, {namesOf(s.grid), s.seed, s.iterations, o.keepRecords}, progress);
    const SweepEnd end = runSweep(run, s.threads, store, availableMemoryBytes());
    progress.finish();
    if (end == SweepEnd::Stopped)
        throw Interrupted(
            InterruptCatcher::caught(),
            interruptedAfter(store.pointsDone(), static_cast<long long>(run.points.size()),
                             "points") +
                "; run the same command again to go on (seed: " + std::to_string(s.seed) + ")");
}

// The summary of the part's points from their rows, and its provenance,
// which names the sweep so that join can tell parts of another sweep.
std::string writeSummary(const Sweep& s, const SweepDirectory& dir,
                         std::chrono::system_clock::time_point started) {
    std::string text = summaryHeader(namesOf(s.grid));
    long long points = 0;
    for (int p = 0; p < s.grid.points(); ++p) {
        if (!s.part.holds(p)) continue;
        text += dir.row(p);
        ++points;
    }
    const std::string file = dir.summaryFile(s.part);
    replaceFileContent(file, text);
    ProvenanceRecorder provenance(
        toolProvenance("sweep", batchValuesJson(s.setups.front(), namesOf(s.grid))), started);
    Provenance& entry = provenance.entry();
    entry.seed = s.seed;
    entry.iterations = s.iterations;
    entry.more.member("points", points);
    if (!s.part.whole())
        entry.more.member("part", std::to_string(s.part.k) + "/" + std::to_string(s.part.n));
    entry.more.member("sweep", fingerprint(s.description));
    provenance.record(file, points * std::max(s.iterations, 0), ProvenanceMode::Replace);
    return file;
}

Sweep prepare(const SweepOptions& o, const SweepDirectory& dir) {
    Sweep s;
    s.grid = gridOption(o.vary);
    s.setups = gridSetups(s.grid, o.values.numbers, o.values.segments);
    s.iterations = intOption("--iterations", o.iterations);
    s.part = partOption(o);
    s.threads = threadsFrom(o.threads);
    auto describeWith = [&](std::uint64_t seed) {
        return describe(s.grid, s.setups.front(), o, s.iterations, seed);
    };
    s.seed = sweepSeed(o, dir, describeWith);
    s.description = describeWith(s.seed);
    dir.refuseOther(s.description);
    return s;
}

}  // namespace

void addSweepCommand(CLI::App& app, SweepOptions& o) {
    CLI::App* sweep = app.add_subcommand(
        "sweep", "Run one batch per point of a grid of values and summarise every point");
    addValueOptions(
        *sweep, o.values,
        {ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis, ValueGroup::Generator});
    sweep
        ->add_option("--vary", o.vary,
                     "a number option and its values: a list 0.005,0.01,0.02 or a range "
                     "FROM:TO:STEP; one --vary per option, the grid their product, the last "
                     "varying fastest")
        ->type_name("NAME=VALUES")
        ->required()
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    addText(*sweep, "--iterations", o.iterations, "runs per point", "N");
    addOptionalText(*sweep, "--seed", o.seed,
                    "random seed of the sweep, from which each point's seed derives (default: the "
                    "seed of the same sweep in DIR, else the clock)");
    addText(*sweep, "--out", o.out, "folder of the results", "DIR");
    addOptionalText(*sweep, "--part", o.part,
                    "run only part K of N (needs --seed); join DIR makes the summary of all parts")
        ->type_name("K/N");
    sweep->add_flag("--keep-records", o.keepRecords,
                    "also keep each point's result file as DIR/points/p-00000.csv");
    addOptionalText(*sweep, "--threads", o.threads,
                    "worker threads, at most 256 (default: the CPUs this process may use); the "
                    "results do not depend on it");
    sweep->add_flag("--quiet", o.quiet, "no progress line");
}

void runSweepCommand(const SweepOptions& o, std::ostream& out, std::ostream& err) {
    const auto started = std::chrono::system_clock::now();
    const SweepDirectory dir(o.out);
    const Sweep s = prepare(o, dir);
    const SweepRun run = pointsToRun(s, dir, o.keepRecords);
    if (s.iterations > 0) tryFirstRuns(run.points);
    if (!o.seed) err << "seed: " << s.seed << std::endl;
    dir.claim(s.description);
    runPoints(s, run, dir, o);
    out << "summary: " << writeSummary(s, dir, started) << '\n' << "seed: " << s.seed << '\n';
}

}  // namespace mirvok::cli
