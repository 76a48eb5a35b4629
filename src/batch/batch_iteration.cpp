#include "batch/batch_iteration.hpp"

#include "analysis/analysed_run.hpp"
#include "batch/quantify.hpp"
#include "records/result_file.hpp"
#include "text/number_format.hpp"
#include "text/number_parse.hpp"

namespace mirvok {
namespace {

// A state of its own may not have had a reset yet: the train must be made
// for the run length the run will use.
void latchRunLength(SimState& state, ValueSource& values) {
    state.Nsteps = stepsOfRun(values);
}

// A random shape beyond 1e8 (1/u^2 for u below 1e-4, about one iteration
// in 10,000) is held there. Its CV of 1e-4 or less gives a train regular to
// within a step either way, and the batch goes on instead of being refused
// at an iteration its own random draw picked. The bound is the quantified
// batch's own, not the generator's largest shape, so that its result files
// stay the same whatever shapes the generator accepts.
constexpr double kQuantifiedMaxShape = 1e8;

std::string drawableShapeText(const std::string& text, char sep) {
    if (StrToDouble(text, sep) > kQuantifiedMaxShape) return FloatToStr(kQuantifiedMaxShape, sep);
    return text;
}

IterationOutcome runAndRecord(SimState& state, RunValues values, int index,
                              RecordText record = RecordText::Formatted) {
    IterationOutcome outcome;
    // Every iteration its own results: a run with no step to analyse
    // records zeros, never the results of the run before it.
    outcome.end = runAndAnalyse(state, values.source, outcome.results, values.events);
    outcome.inSpikes = state.inSpikeSteps.size();
    outcome.outSpikes = state.outSpikeSteps.size();
    if (record == RecordText::Formatted)
        outcome.record = formatResultRecord(index, state, outcome.results);
    if (record == RecordText::Trains) {
        outcome.inSteps = state.inSpikeSteps;
        outcome.outSteps = state.outSpikeSteps;
    }
    return outcome;
}

}  // namespace

double SettingsEntries::shape() {
    return StrToDouble(shapeText_, decimalSeparator());
}

void makeBatchTrain(SimState& state, GeneratorEntries& entries, RandomSource& source,
                    bool segmentMode, bool quantify, bool quantifyZeroOne,
                    std::uint64_t availableBytes) {
    if (quantify) {
        const char sep = entries.decimalSeparator();
        entries.writeShape(
            drawableShapeText(quantifiedShapeText(source, quantifyZeroOne, sep), sep));
    }
    generateTrain(state, entries, source, segmentMode,
                  quantify ? ShapeSource::AsEntered : ShapeSource::FromCv, availableBytes);
}

void makeIterationTrain(SimState& state, GeneratedReads reads, RandomSource& source) {
    latchRunLength(state, reads.values.source);
    makeBatchTrain(state, reads.entries, source, reads.trains.segmentMode, reads.trains.quantify,
                   reads.trains.quantifyZeroOne);
}

IterationOutcome runReadIteration(SimState& state, GeneratedReads reads, RandomSource& source,
                                  int index, RecordText record) {
    makeIterationTrain(state, reads, source);
    return runAndRecord(state, reads.values, index, record);
}

IterationOutcome runGeneratedIteration(SimState& state, const GeneratorSettings& generator,
                                       RandomSource& source, RunValues values, int index,
                                       RecordText record) {
    SettingsEntries entries(generator);
    const TrainChoice trains{generator.segmentMode, generator.quantify, generator.quantifyZeroOne};
    return runReadIteration(state, {entries, trains, values}, source, index, record);
}

TrainLoad loadReplayTrain(SimState& state, std::span<const int> steps, RunValues values) {
    latchRunLength(state, values.source);
    return loadInputTrain(state, steps);
}

IterationOutcome runReplayIteration(SimState& state, std::span<const int> steps, RunValues values,
                                    int index, RecordText record) {
    const TrainLoad load = loadReplayTrain(state, steps, values);
    IterationOutcome outcome = runAndRecord(state, values, index, record);
    outcome.skippedSteps = load.skipped;
    return outcome;
}

}  // namespace mirvok
