#include "cli/option_texts.hpp"

#include <cmath>

#include "text/number_format.hpp"
#include "trains/generator_limits.hpp"

namespace mirvok::cli {
namespace {

// The CV range the generator accepts, from its shape limits (CV = 1/sqrt(shape)).
std::string cvHelp() {
    return "CV of the intervals, " + FloatToStr(1.0 / std::sqrt(kMaxShape), '.') + " to " +
           FloatToStr(1.0 / std::sqrt(kMinShape), '.') + " (the gamma shape is 1/cv^2)";
}

}  // namespace

CLI::Option* addText(CLI::App& app, const std::string& name, std::string& text,
                     const std::string& help, const std::string& typeName) {
    return app.add_option(name, text, help)->type_name(typeName)->default_str(text);
}

CLI::Option* addOptionalText(CLI::App& app, const std::string& name,
                             std::optional<std::string>& text, const std::string& help) {
    return app
        .add_option_function<std::string>(
            name, [&text](const std::string& value) { text = value; }, help)
        ->type_name("N");
}

void addTimeOption(CLI::App& app, std::string& time) {
    addText(app, "--time", time, "run length in ms (integer)", "MS");
}

void addModelOptions(CLI::App& app, ModelTexts& t) {
    addTimeOption(app, t.time);
    addText(app, "--v1-start", t.v1Start, "start volume of compartment 1");
    addText(app, "--gamma1", t.gamma1, "refill rate of compartment 1");
    addText(app, "--delta1", t.delta1, "fraction of V1 lost at an input spike");
    addText(app, "--v2-start", t.v2Start, "start volume of compartment 2");
    addText(app, "--gamma2", t.gamma2, "refill rate of compartment 2");
    addText(app, "--delta2", t.delta2, "fraction of V2 lost at an input spike");
    addText(app, "--epsilon", t.epsilon, "coincidence window");
    addText(app, "--boundary-tol", t.boundaryTol, "boundary tolerance");
}

void addAnalysisOptions(CLI::App& app, AnalysisTexts& t) {
    addText(app, "--ign", t.ign, "leave out spikes up to this step", "STEPS");
    addText(app, "--range", t.range, "intervals in one local window", "N");
    addText(app, "--c0", t.c0, "CV threshold of the scores");
}

void addGeneratorOptions(CLI::App& app, GeneratorTexts& t) {
    addText(app, "--isi", t.isi, "mean inter-spike interval in ms", "MS");
    addText(app, "--isi-jitter", t.isiJitter, "half-width in ms of a random shift of the mean",
            "MS");
    addText(app, "--cv", t.cv, cvHelp());
    // One value per flag: a second segment needs a second --segment.
    app.add_option("--segment", t.segments,
                   "segment ending at step END with its own mean interval and CV; give one "
                   "--segment per segment, in order, the last END being the run's last step")
        ->type_name("END:ISI:CV")
        ->expected(1)
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void addBatchFileOptions(CLI::App& app, BatchFileTexts& t) {
    addText(app, "--output", t.output, "result file", "FILE");
    app.add_flag("--append", t.append, "append to the result file instead of replacing it");
    addOptionalText(app, "--threads", t.threads,
                    "worker threads, at most 256 (default: the CPUs this process may use); the "
                    "result does not depend on it");
    app.add_flag("--quiet", t.quiet, "no progress line");
}

}  // namespace mirvok::cli
