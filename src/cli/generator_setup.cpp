#include "cli/generator_setup.hpp"

#include "base/errors.hpp"
#include "cli/option_error.hpp"
#include "cli/option_values.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/segment_definition.hpp"

namespace mirvok::cli {
namespace {

struct SegmentText {
    std::string_view end, isi, cv;
};

SegmentText splitSegment(std::string_view text) {
    const auto first = text.find(':');
    const auto second = first == std::string_view::npos ? first : text.find(':', first + 1);
    if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos)
        throw optionError("--segment", "'" + std::string(text) + "' is not of the form END:ISI:CV");
    return {text.substr(0, first), text.substr(first + 1, second - first - 1),
            text.substr(second + 1)};
}

void defineSegment(SegmentDefinition& definition, std::string_view text, int Nsteps) {
    const SegmentText parts = splitSegment(text);
    const int end = intOption("--segment", parts.end);
    if (definition.done())
        throw optionError("--segment", "'" + std::string(text) +
                                           "' comes after the segment that ends at the last step " +
                                           IntToStr(Nsteps - 1));
    if (end > Nsteps - 1)
        throw optionError("--segment", "END " + IntToStr(end) + " lies beyond the last step " +
                                           IntToStr(Nsteps - 1));
    SegmentDefinition::PassResult result;
    try {
        result = definition.pass(end, parts.isi, parts.cv, '.');
    } catch (const Error& e) {
        throw optionError("--segment", e.what());
    }
    if (result.outcome == SegmentDefinition::Outcome::NotRightOfLast)
        throw optionError("--segment", "END " + IntToStr(end) +
                                           " is not right of the previous END " +
                                           IntToStr(definition.lastBound()));
}

void defineSegments(GeneratorSetup& setup, const std::vector<std::string>& texts, int Nsteps) {
    SimState scratch;
    scratch.Nsteps = Nsteps;
    SegmentDefinition definition(scratch);
    for (const std::string& text : texts) defineSegment(definition, text, Nsteps);
    if (!definition.done())
        throw optionError("--segment",
                          "the last END must be the run's last step " + IntToStr(Nsteps - 1));
    setup.segBounds = std::move(scratch.segBounds);
    setup.segIsi = std::move(scratch.segIsi);
    setup.segShape = std::move(scratch.segShape);
    setup.settings.segmentMode = true;
}

}  // namespace

void GeneratorSetup::applyTo(SimState& state) const {
    state.segBounds = segBounds;
    state.segIsi = segIsi;
    state.segShape = segShape;
}

GeneratorSetup toGeneratorSetup(const GeneratorTexts& texts, int Nsteps) {
    GeneratorSetup setup;
    setup.settings.isi = doubleOption("--isi", texts.isi);
    setup.settings.isiJitter = doubleOption("--isi-jitter", texts.isiJitter);
    setup.settings.cv = doubleOption("--cv", texts.cv);
    try {
        setup.shapeText = shapeTextForCv(setup.settings.cv, '.');
        setup.shape = StrToDouble(setup.shapeText, '.');
    } catch (const Error& e) {
        throw optionError("--cv", e.what());
    }
    if (!texts.segments.empty()) defineSegments(setup, texts.segments, Nsteps);
    return setup;
}

}  // namespace mirvok::cli
