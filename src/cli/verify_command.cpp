#include "cli/verify_command.hpp"

#include "base/errors.hpp"
#include "batch/batch_summary.hpp"
#include "cli/interrupt.hpp"
#include "cli/progress_bar.hpp"
#include "system/machine_memory.hpp"
#include "verify/verify.hpp"

namespace mirvok::cli {

void addVerifyCommand(CLI::App& app, VerifyOptions& o) {
    CLI::App* verify = app.add_subcommand(
        "verify",
        "Make a result file's records again as FILE.json says (or a sweep folder's points) and "
        "compare them with the file; exit status 0 when all agree, 1 when any differ, 2 when a "
        "file cannot be read. The value options make again the batches that no FILE.json "
        "describes");
    verify->add_option("FILE", o.path, "result file, or the folder of a sweep")->required();
    addValueOptions(*verify, o.values, {ValueGroup::Run, ValueGroup::Model, ValueGroup::Analysis});
    addThreadsOption(*verify, o.threads);
    verify->add_flag("--quiet", o.quiet, "no progress line");
}

int runVerifyCommand(const VerifyOptions& o, std::ostream& out, std::ostream& err) {
    VerifySettings settings;
    settings.givenValues = o.values.numbers;
    settings.run.threads = threadsFrom(o.threads);
    settings.run.availableBytes = availableMemoryBytes();
    std::optional<ProgressBar> progress;
    long long done = 0, total = 0;
    settings.run.progress = [&](long long runs, long long all) {
        if (!progress) progress.emplace(all, progressWanted(o.quiet));
        done = runs;
        total = all;
        progress->update(runs);
    };
    const InterruptCatcher interrupts;
    settings.run.stop = [] { return InterruptCatcher::caught() != 0; };
    VerifyReport report;
    try {
        report = verifyPath(o.path, settings);
    } catch (const ValueError&) {
        throw;  // a value given on the command line, refused under its option
    } catch (const Error& e) {
        err << "mirvok-cli: " << e.what() << '\n';
        return 2;
    }
    if (progress) progress->finish();
    for (const std::string& line : reportLines(report)) out << line << '\n';
    if (report.stopped)
        throw Interrupted(InterruptCatcher::caught(), interruptedAfter(done, total, "runs"));
    return report.differ > 0 ? 1 : 0;
}

}  // namespace mirvok::cli
