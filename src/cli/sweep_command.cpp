#include "cli/sweep_command.hpp"

#include "base/errors.hpp"
#include "batch/batch_summary.hpp"
#include "cli/file_batch.hpp"
#include "cli/interrupt.hpp"
#include "cli/option_error.hpp"
#include "cli/progress_bar.hpp"
#include "sweep/sweep_grid.hpp"
#include "sweep/sweep_runner.hpp"
#include "sweep/sweep_seeds.hpp"
#include "sweep/sweep_store.hpp"
#include "system/machine_memory.hpp"
#include "text/number_format.hpp"

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

// --seed, or without it the seed of the same sweep in DIR, so that running
// a clock-seeded sweep again continues it; otherwise the clock.
template <typename Describe>
std::uint64_t sweepSeed(const SweepOptions& o, const SweepFolder& dir, Describe describeWith) {
    if (o.seed) return seedOrClock(o.seed);
    std::optional<SweepDescription> there;
    try {
        there = dir.description();
    } catch (const Error&) {
        // Another sweep's or none: refused as such once the seed is known.
    }
    if (there && sameSweep(*there, describeWith(there->seed))) return there->seed;
    return seedOrClock(std::nullopt);
}

SweepPart partOption(const SweepOptions& o) {
    if (!o.part) return SweepPart{};
    const std::string_view text = *o.part;
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        throw optionError("--part", "'" + std::string(text) + "' is not of the form K/N");
    SweepPart part;
    part.k = integerFrom("part", text.substr(0, slash));
    part.n = integerFrom("part", text.substr(slash + 1));
    if (part.k < 1 || part.k > part.n)
        throw optionError("--part", "'" + std::string(text) + "' does not have 1 <= K <= N");
    if (!o.seed)
        throw optionError("--part",
                          "requires " + settingFlag(Setting::Seed) + ", the same for every part");
    return part;
}

OptionError otherSweep(const SweepFolder& dir) {
    return optionError("--out", "'" + dir.path() + "' holds a different sweep (" +
                                    dir.descriptionFile() + "); choose another folder");
}

struct Sweep {
    const SweepOptions* options = nullptr;
    SweepGrid grid;
    int iterations = 0;
    SweepPart part;
    int threads = 1;
    std::uint64_t seed = 0;
    SweepDescription description;  // sweep.json

    SweepPoint point(int p) const {
        return {p, pointSeed(seed, p),
                gridSetup(grid, options->values.numbers, options->values.segments, p)};
    }
};

// The part's points the folder does not hold done, made only as they are
// run; damaged counts those whose stored rows are damaged or another sweep's.
SweepRun pointsToRun(const Sweep& s, const SweepFolder& dir, long long& damaged) {
    std::vector<int> numbers;
    for (const int p : pointsOf(s.part, s.grid.points())) {
        const StoredPoint stored = dir.stored(s.description, p);
        if (stored == StoredPoint::Damaged) ++damaged;
        if (stored != StoredPoint::Done) numbers.push_back(p);
    }
    SweepRun run;
    run.points = SweepPoints(std::move(numbers), [&s](int p) { return s.point(p); });
    run.iterations = s.iterations;
    run.records = s.description.keepRecords ? RecordText::Formatted : RecordText::Skipped;
    return run;
}

std::string runAgainNote(long long damaged) {
    return "mirvok-cli: " +
           counted(damaged, "point runs again: its stored row is",
                   "points run again: their stored rows are") +
           " damaged or another sweep's\n";
}

void runPoints(const Sweep& s, const SweepRun& run, const SweepPlan& plan, const SweepFolder& dir,
               const SweepOptions& o) {
    const InterruptCatcher interrupts;
    ProgressBar progress(static_cast<long long>(run.points.size()) * s.iterations,
                         progressWanted(o.quiet));
    SweepStore store(
        dir, {kToolName, namesOf(s.grid), s.seed, s.iterations, o.keepRecords},
        [&progress](long long runs) { progress.update(runs); },
        [] { return InterruptCatcher::caught() != 0; });
    const SweepEnd end = runSweep(run, plan, store);
    progress.finish();
    if (end == SweepEnd::Stopped)
        throw Interrupted(
            InterruptCatcher::caught(),
            interruptedAfter(store.pointsDone(), static_cast<long long>(run.points.size()),
                             "points") +
                "; run the same command again to go on (seed: " + std::to_string(s.seed) + ")");
}

// Every value of every point is checked one point at a time, so that a
// grid of a million points takes the memory of the points run, not of all.
void prepare(const SweepOptions& o, const SweepFolder& dir, Sweep& s) {
    s.options = &o;
    s.grid = gridOption(o.vary);
    checkGridSetups(s.grid, o.values.numbers, o.values.segments);
    s.iterations = iterationsFrom(o.iterations);
    s.part = partOption(o);
    s.threads = threadsFrom(o.threads);
    const BatchSetup first = gridSetup(s.grid, o.values.numbers, o.values.segments, 0);
    auto describeWith = [&](std::uint64_t seed) {
        return describeSweep(s.grid, first, s.iterations, o.keepRecords, seed);
    };
    s.seed = sweepSeed(o, dir, describeWith);
    s.description = describeWith(s.seed);
    if (dir.holdsOther(s.description)) throw otherSweep(dir);
    // The folder's own description, which a sweep made before a value was
    // added words without it: its points' rows and its parts name it.
    if (std::optional<SweepDescription> there = dir.description()) s.description = *there;
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
    addText(*sweep, settingFlag(Setting::Iterations), o.iterations, "runs per point", "N");
    addOptionalText(*sweep, settingFlag(Setting::Seed), o.seed,
                    settingRow(Setting::Seed).help +
                        " of the sweep, from which each point's seed derives (default: the "
                        "seed of the same sweep in DIR, else the clock)");
    addText(*sweep, "--out", o.out, "folder of the results", "DIR");
    addOptionalText(*sweep, "--part", o.part,
                    "run only part K of N (needs --seed); join DIR makes the summary of all parts")
        ->type_name("K/N");
    sweep->add_flag("--keep-records", o.keepRecords,
                    "also keep each point's result file as DIR/points/p-00000.csv");
    addThreadsOption(*sweep, o.threads, "; the results do not depend on it");
    sweep->add_flag("--quiet", o.quiet, "no progress line");
}

void runSweepCommand(const SweepOptions& o, std::ostream& out, std::ostream& err) {
    const auto started = std::chrono::system_clock::now();
    const SweepFolder dir(o.out);
    Sweep s;
    prepare(o, dir, s);
    long long damaged = 0;
    const SweepRun run = pointsToRun(s, dir, damaged);
    // Everything is checked before anything is written, so that a refusal's
    // advice (a shorter run time) can be followed in the same folder.
    const SweepPlan plan = planSweep(run, s.threads, availableMemoryBytes());
    if (s.iterations > 0) tryFirstRuns(run.points);
    if (!o.seed) err << "seed: " << s.seed << std::endl;
    if (damaged > 0) err << runAgainNote(damaged) << std::flush;
    if (!dir.claim(s.description)) throw otherSweep(dir);
    const HeldLock part = dir.lockPart(s.part);
    if (part.refused())
        err << "mirvok-cli: " << dir.summaryFile(s.part)
            << " is written without a lock: its file system keeps none\n";
    if (const int removed = dir.removeStaleTemporaries())
        err << "mirvok-cli: removed " << counted(removed, "temporary file")
            << " that ended processes left in " << dir.path() << "/points\n";
    runPoints(s, run, plan, dir, o);
    const std::string summary = writePartSummary(dir, s.description, s.part, kToolName, started);
    out << "summary: " << summary << '\n' << "seed: " << s.seed << '\n';
}

}  // namespace mirvok::cli
