#include "trains/segment_definition.hpp"

#include <algorithm>

#include "text/number_format.hpp"
#include "text/number_parse.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/generator_limits.hpp"

namespace mirvok {

SegmentDefinition::SegmentDefinition(Segments& segments, int Nsteps)
    : segments_(segments), Nsteps_(Nsteps) {
    segments_.isi.clear();
    segments_.bounds.assign(1, 0);
    segments_.shape.clear();
}

bool SegmentDefinition::done() const {
    return lastBound() >= trackMax();
}

std::string SegmentDefinition::caption() const {
    return "Define interval: #" + IntToStr(static_cast<long long>(segments_.bounds.size()));
}

int SegmentDefinition::trackMax() const {
    return Nsteps_ - 1;
}

int SegmentDefinition::lastBound() const {
    return segments_.bounds.back();
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
    segments_.bounds.push_back(position);
    segments_.isi.push_back(isi);
    segments_.shape.push_back(shape);
    return {Outcome::Stored, std::move(shapeText)};
}

}  // namespace mirvok
