#include "cli/option_texts.hpp"

namespace mirvok::cli {
namespace {

void addText(CLI::App& app, const std::string& name, std::string& text, const std::string& help) {
    app.add_option(name, text, help)->type_name("X")->default_str(text);
}

}  // namespace

void addTimeOption(CLI::App& app, std::string& time) {
    app.add_option("--time", time, "run length in ms (integer)")
        ->type_name("MS")
        ->default_str(time);
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
    app.add_option("--ign", t.ign, "leave out spikes up to this step")
        ->type_name("STEPS")
        ->default_str(t.ign);
    app.add_option("--range", t.range, "intervals in one local window")
        ->type_name("N")
        ->default_str(t.range);
    addText(app, "--c0", t.c0, "CV threshold of the scores");
}

void addGeneratorOptions(CLI::App& app, GeneratorTexts& t) {
    app.add_option("--isi", t.isi, "mean inter-spike interval in ms")
        ->type_name("MS")
        ->default_str(t.isi);
    app.add_option("--isi-jitter", t.isiJitter, "half-width in ms of a random shift of the mean")
        ->type_name("MS")
        ->default_str(t.isiJitter);
    addText(app, "--cv", t.cv, "CV of the intervals (the gamma shape is 1/cv^2)");
    app.add_option("--segment", t.segments,
                   "segment ending at step END with its own mean interval and CV; repeat in "
                   "order, the last END being the run's last step")
        ->type_name("END:ISI:CV")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false);
}

}  // namespace mirvok::cli
