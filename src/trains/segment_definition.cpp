#include "trains/segment_definition.hpp"

#include <algorithm>

#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/generator_limits.hpp"

namespace mirvok {

SegmentDefinition::SegmentDefinition(SimState& state) : state_(state) {
    state_.segIsi.clear();
    state_.segBounds.assign(1, 0);
    state_.segShape.clear();
}

bool SegmentDefinition::done() const {
    return lastBound() >= trackMax();
}

std::string SegmentDefinition::caption() const {
    return "Define interval: #" + IntToStr(static_cast<long long>(state_.segBounds.size()));
}

int SegmentDefinition::trackMax() const {
    return state_.Nsteps - 1;
}

int SegmentDefinition::lastBound() const {
    return state_.segBounds.back();
}

SegmentDefinition::PassResult SegmentDefinition::pass(int position, std::string_view isiText,
                                                      std::string_view cvText,
                                                      char decimalSeparator) {
    // The track bar cannot go past its maximum.
    position = std::min(position, trackMax());
    if (position <= lastBound()) return {Outcome::NotRightOfLast, {}};
    // Everything is converted and checked before anything is stored, so a
    // refused pass leaves the lists as they were and the dialog asks again.
    const double cv = StrToDouble(cvText, decimalSeparator);
    std::string shapeText = shapeTextForCv(cv, decimalSeparator);
    const double shape = StrToDouble(shapeText, decimalSeparator);
    const double isi = StrToDouble(isiText, decimalSeparator);
    checkShape(shape, ShapeOrigin::Cv, decimalSeparator);
    checkMeanInterval(isi, 0.0, decimalSeparator);
    state_.segBounds.push_back(position);
    state_.segIsi.push_back(isi);
    state_.segShape.push_back(shape);
    return {Outcome::Stored, std::move(shapeText)};
}

}  // namespace mirvok
