#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/sim_state.hpp"
#include "random/random_source.hpp"
#include "trains/generator_settings.hpp"

namespace mirvok {

// Places spikes with gamma(theta, a) intervals from step start up to step
// end inclusive: time accumulates in double, each spike goes to the step
// that holds its time (step 0 moved to 1), a draw that fails is drawn again.
// Adds to the train and clears nothing; steps outside the flags are never
// touched. Throws InputError when more than maxSpikes intervals would be
// drawn (failed draws included), so generation always ends.
void fillGammaSegment(Flags& inTrain, std::vector<int>& inSpikeSteps, int start, int end,
                      double theta, double a, RandomSource& source, std::size_t maxSpikes);

// The most spikes one train may hold: far above any train a researcher
// means, low enough that a runaway generation stays small in memory.
std::size_t maxSpikesFor(int Nsteps);

// The shape 1/cv^2 as the shape box shows it (FloatToStr, 15 significant
// digits). cv = 0 throws EZeroDivide.
std::string shapeTextForCv(double cv, char decimalSeparator);

// The generator's entries in single mode, each obtained when it is needed
// (the window converts its boxes in each call), and the segments it draws
// in segment mode.
class GeneratorEntries {
  public:
    virtual ~GeneratorEntries() = default;
    virtual double cv() = 0;                               // "CV:"
    virtual void writeShape(const std::string& text) = 0;  // into "shape:"
    virtual double shape() = 0;                            // "shape:" read back
    virtual double isi() = 0;                              // "isi:" in ms
    virtual double isiJitter() = 0;                        // "+/-" in ms
    virtual char decimalSeparator() const { return '.'; }
    // The segments of "different intervals" as defined: none unless the
    // entries hold some.
    virtual const Segments& segments() const;
    // Lets pending window events be handled while a long train is drawn;
    // offered every so many draws, rarely enough to cost a batch nothing.
    virtual void pumpEvents() {}
};

// Where the single-mode shape comes from: 1/cv^2 written into the shape
// entry and read back, or the shape entry as it stands (a quantified batch
// has just written a random shape there).
enum class ShapeSource { FromCv, AsEntered };

// "GammaGen!": clears inTrain, outTrain (Nsteps flags each) and
// inSpikeSteps, then fills a new train, which also becomes the loaded
// train. Segment mode when segmentMode is set and the entries' segments have
// bounds, single mode otherwise. Refuses entries for which generation cannot end
// with InputError, before any spike is placed. A train that would take more
// than availableBytes (0: no bound) is refused as it grows (TrainRoom).
void generateTrain(SimState& state, GeneratorEntries& entries, RandomSource& source,
                   bool segmentMode, ShapeSource shapeSource = ShapeSource::FromCv,
                   std::uint64_t availableBytes = 0);

// Refuses, as generateTrain would, the entries or segments that a train for
// a run of Nsteps could not be drawn from, without drawing and without
// writing the shape entry, so that a batch refuses them before it touches
// its result file. With ShapeSource::AsEntered the shape is each train's
// own and is not checked here.
void checkTrainEntries(int Nsteps, GeneratorEntries& entries, bool segmentMode,
                       ShapeSource shapeSource = ShapeSource::FromCv);

}  // namespace mirvok
