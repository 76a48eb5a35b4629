#include "cli/join_command.hpp"

#include "cli/file_batch.hpp"
#include "sweep/sweep_join.hpp"

namespace mirvok::cli {

void addJoinCommand(CLI::App& app, JoinOptions& o) {
    CLI::App* join = app.add_subcommand(
        "join", "Join the part summaries of a sweep run with --part into DIR/summary.csv");
    join->add_option("DIR", o.dir, "folder of the sweep")->required();
}

void runJoinCommand(const JoinOptions& o, std::ostream& out) {
    const auto started = std::chrono::system_clock::now();
    // Joined before anything is printed: an error leaves no "summary: " behind.
    const std::string summary = joinSweep(SweepFolder(o.dir), kToolName, started);
    out << "summary: " << summary << '\n';
}

}  // namespace mirvok::cli
