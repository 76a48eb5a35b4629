#include "cli/app.hpp"

#include <CLI/CLI.hpp>
#include <exception>
#include <new>

#include "base/errors.hpp"
#include "batch/batch_session.hpp"
#include "cli/batch_command.hpp"
#include "cli/generate_command.hpp"
#include "cli/interrupt.hpp"
#include "cli/join_command.hpp"
#include "cli/option_error.hpp"
#include "cli/replay_command.hpp"
#include "cli/run_command.hpp"
#include "cli/sweep_command.hpp"
#include "cli/verify_command.hpp"
#include "model/rates.hpp"
#include "values/value_table.hpp"
#include "version/version.hpp"

namespace mirvok::cli {
namespace {

constexpr const char* kName = "mirvok-cli";

struct AllOptions {
    RunOptions run;
    GenerateOptions generate;
    BatchOptions batch;
    ReplayOptions replay;
    SweepOptions sweep;
    JoinOptions join;
    VerifyOptions verify;
};

void buildApp(CLI::App& app, AllOptions& o) {
    app.set_version_flag("--version", std::string(kName) + " " + kVersion);
    app.require_subcommand(1);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    addRunCommand(app, o.run);
    addGenerateCommand(app, o.generate);
    addBatchCommand(app, o.batch);
    addReplayCommand(app, o.replay);
    addSweepCommand(app, o.sweep);
    addJoinCommand(app, o.join);
    addVerifyCommand(app, o.verify);
}

// "run, generate, batch, replay, sweep or join".
std::string subcommandList(CLI::App& app) {
    const std::vector<CLI::App*> subs = app.get_subcommands({});
    std::string list;
    for (std::size_t i = 0; i < subs.size(); ++i)
        list += (i == 0 ? "" : i + 1 == subs.size() ? " or " : ", ") + subs[i]->get_name();
    return list;
}

// What is wrong with the command line. CLI11 calls a word that names no
// subcommand a missing subcommand; say which word it was.
std::string parseMessage(CLI::App& app, const CLI::ParseError& e) {
    if (app.get_subcommands().empty() && dynamic_cast<const CLI::RequiredError*>(&e) != nullptr) {
        const std::vector<std::string> rest = app.remaining();
        if (!rest.empty())
            return "'" + rest.front() + "' is not a subcommand; give one of " + subcommandList(app);
        return "A subcommand is required: " + subcommandList(app);
    }
    return e.what();
}

// The command whose --help fits the mistake: the subcommand given, if any.
std::string helpHint(const CLI::App& app) {
    std::string command = kName;
    for (const CLI::App* sub : app.get_subcommands()) command += " " + sub->get_name();
    return "Try '" + command + " --help' for more information.";
}

// The exit status of a command that succeeds: 0, or what `verify` found.
int dispatch(const CLI::App& app, const AllOptions& o, std::ostream& out, std::ostream& err) {
    if (app.got_subcommand("run")) runRunCommand(o.run, out, err);
    if (app.got_subcommand("generate")) runGenerateCommand(o.generate, out);
    if (app.got_subcommand("batch")) runBatchCommand(o.batch, out, err);
    if (app.got_subcommand("replay")) runReplayCommand(o.replay, out, err);
    if (app.got_subcommand("sweep")) runSweepCommand(o.sweep, out, err);
    if (app.got_subcommand("join")) runJoinCommand(o.join, out);
    if (app.got_subcommand("verify")) return runVerifyCommand(o.verify, out, err);
    return 0;
}

// A refused value under its option: "--gamma1: <the core's reason>".
std::string valueMessage(const std::string& option, const std::string& reason) {
    return optionError("--" + option, reason).what();
}

int fail(std::ostream& err, const std::string& message, int status) {
    err << kName << ": " << message << '\n';
    return status;
}

// Says the error on err and returns the exit status it gives.
int failure(const std::exception_ptr& error, std::ostream& err) {
    try {
        std::rethrow_exception(error);
    } catch (const Interrupted& e) {
        return fail(err, e.what(), 128 + e.signal());
    } catch (const OptionError& e) {
        return fail(err, e.what(), 2);
    } catch (const ValueError& e) {
        return fail(err, valueMessage(e.option(), e.what()), 2);
    } catch (const GeneratorEntryError& e) {
        // Named by the option that sets the entry, not by the window's label.
        const ValueRow* row = rowOfGeneratorEntry(e.entry());
        return fail(err, row ? valueMessage(row->option, e.reason()) : e.what(), 2);
    } catch (const EConvertError& e) {
        return fail(err, e.what(), 2);
    } catch (const InputError& e) {
        return fail(err, e.what(), 2);
    } catch (const RateOverflow& e) {
        // A value that drives the volumes out of range is refused like any
        // other, under the option of the rate whose operation overflowed.
        return fail(err, valueMessage(rowOfRunValue(e.rate()).option, e.what()), 2);
    } catch (const Error& e) {
        return fail(err, e.what(), 1);
    } catch (const std::bad_alloc&) {
        return fail(err, "out of memory", 1);
    } catch (const std::exception& e) {
        return fail(err, e.what(), 1);
    }
}

}  // namespace

int runCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CLI::App app("Runs the Mirvok two-compartment model without a window.", kName);
    AllOptions options;
    buildApp(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e, out, err);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e, out, err);
    } catch (const CLI::ParseError& e) {
        err << kName << ": " << parseMessage(app, e) << '\n' << helpHint(app) << '\n';
        return 2;
    }
    try {
        const int status = dispatch(app, options, out, err);
        // Results printed into a full disk or a closed pipe must not pass
        // as printed.
        if (!out.flush()) return fail(err, "Could not write the standard output", 1);
        return status;
    } catch (const RecordsKeptAside& e) {
        // The error first, then what became of the records.
        const int status = failure(e.error(), err);
        err << kName << ": " << e.what() << '\n';
        return status;
    } catch (...) {
        return failure(std::current_exception(), err);
    }
}

}  // namespace mirvok::cli
