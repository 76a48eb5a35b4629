#pragma once

#include <string>
#include <string_view>

#include "trains/generator_settings.hpp"

namespace mirvok {

// The logic of "define intervals": one pass at a time, the dialog only shows
// it. Starting a definition empties the three segment lists and puts the
// bound 0 in; every stored pass appends a bound, a mean interval and a shape
// together, so the lists are always consistent.
class SegmentDefinition {
  public:
    // A definition for a run of Nsteps, into segments.
    SegmentDefinition(Segments& segments, int Nsteps);

    // True once a segment ends at the last step (Nsteps - 1), at once when
    // Nsteps <= 1.
    bool done() const;
    // "Define interval: #" and the number of bounds so far.
    std::string caption() const;
    // The track bar's maximum: Nsteps - 1.
    int trackMax() const;
    // The bound the last segment ended at.
    int lastBound() const;

    enum class Outcome { Stored, NotRightOfLast };
    struct PassResult {
        Outcome outcome;
        std::string shapeText;  // for the shape entry, when stored
    };

    // One press of "Next" with the slider at position. A position not right
    // of the last bound stores nothing (the dialog moves the slider back).
    // Text that does not convert, a CV of 0, or entries the generator would
    // refuse throw with the message to show, and append nothing.
    PassResult pass(int position, std::string_view isiText, std::string_view cvText,
                    char decimalSeparator);

  private:
    Segments& segments_;
    int Nsteps_;
};

}  // namespace mirvok
