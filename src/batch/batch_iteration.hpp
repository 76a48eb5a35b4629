#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "analysis/analysed_run.hpp"
#include "model/instant_run.hpp"
#include "random/random_source.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/generator_settings.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok {

// GeneratorEntries over fixed settings. The shape entry is a text, written
// and read back like the window's box, so a train made here uses the very
// shape the window would use.
class SettingsEntries final : public GeneratorEntries {
  public:
    explicit SettingsEntries(const GeneratorSettings& settings, std::string shapeText = "1000")
        : settings_(settings), shapeText_(std::move(shapeText)) {}
    double cv() override { return settings_.cv; }
    void writeShape(const std::string& text) override { shapeText_ = text; }
    double shape() override;
    double isi() override { return settings_.isi; }
    double isiJitter() override { return settings_.isiJitter; }
    const Segments& segments() const override { return settings_.segments; }
    const std::string& shapeText() const { return shapeText_; }

  private:
    const GeneratorSettings& settings_;
    std::string shapeText_;
};

// The train of one batch iteration. With quantify, a random shape text
// (quantifiedShapeText, held at 1e8) is first written into the shape entry
// and, in single mode, becomes the shape of this train; otherwise the shape
// comes from the CV as for "GammaGen!". Throws what generateTrain throws,
// availableBytes bounding the train's memory as there (0: no bound).
void makeBatchTrain(SimState& state, GeneratorEntries& entries, RandomSource& source,
                    bool segmentMode, bool quantify, bool quantifyZeroOne,
                    std::uint64_t availableBytes = 0);

// What an iteration keeps of its run besides the numbers: its record line,
// nothing (a sweep that keeps no records), or both trains as steps (a caller
// that hands the runs on as values rather than as text).
enum class RecordText { Formatted, Skipped, Trains };

// What one iteration produced: the record line to write at its place in the
// file, and the run's results, unrounded (the batch sums analysisResult and
// localScoreMean; summaries over runs read them all).
struct IterationOutcome {
    std::string record;
    RunResults results;
    std::size_t inSpikes = 0;
    std::size_t outSpikes = 0;
    std::size_t skippedSteps = 0;  // replay only: steps outside the run
    std::vector<int> inSteps;      // RecordText::Trains only: the input train
    std::vector<int> outSteps;     // and the output train
    RunEnd end = RunEnd::Completed;
};

// The values a run reads, passed in so that every thread can hold its own,
// and the events it offers as it goes (a batch on the window's thread).
struct RunValues {
    ValueSource& source;
    RunEvents* events = nullptr;
};

// How a generated iteration makes its train (see makeBatchTrain).
struct TrainChoice {
    bool segmentMode = false;
    bool quantify = false;
    bool quantifyZeroOne = false;
};

// Everything a generated iteration reads besides its random source: the
// generator's entries, how the train is made and the run's values. The
// window passes its boxes and ticks; the command line fixed settings.
struct GeneratedReads {
    GeneratorEntries& entries;
    TrainChoice trains;
    RunValues values;
};

// The run length and the train of a generated iteration, as
// runReadIteration makes them before its run: for a caller that runs the
// same train its own way (the window's traced run of a batch's last
// iteration).
void makeIterationTrain(SimState& state, GeneratedReads reads, RandomSource& source);

// The run length and the input train of a replay iteration (steps, an output
// list read from a record line), as runReplayIteration loads them before its
// run; for the window's traced run of a replay's last line too.
TrainLoad loadReplayTrain(SimState& state, std::span<const int> steps, RunValues values);

// One whole generated iteration on a state of the caller's own: train
// (drawn from source), instant run without traces, analysis, record with
// this index. Every generated batch, the window's included, runs its
// iterations through this one function.
IterationOutcome runReadIteration(SimState& state, GeneratedReads reads, RandomSource& source,
                                  int index, RecordText record = RecordText::Formatted);

// runReadIteration over fixed settings. Touches nothing but its arguments,
// so threads may run iterations side by side, each with its own state,
// values and source (iterationSource gives every index its own reproducible
// sequence); the caller writes the records in index order and adds the
// values in that order for identical sums.
IterationOutcome runGeneratedIteration(SimState& state, const GeneratorSettings& generator,
                                       RandomSource& source, RunValues values, int index,
                                       RecordText record = RecordText::Formatted);

// One replay iteration: loads steps (an output list read from a record line)
// as the input train, runs, analyses and formats the record with this index
// (or keeps what `record` asks for).
IterationOutcome runReplayIteration(SimState& state, std::span<const int> steps, RunValues values,
                                    int index, RecordText record = RecordText::Formatted);

}  // namespace mirvok
