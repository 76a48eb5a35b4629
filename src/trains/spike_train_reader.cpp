#include "trains/spike_train_reader.hpp"

#include <cstdio>

#include "model/input_train.hpp"
#include "system/file_chunks.hpp"
#include "text/integer_scan.hpp"
#include "text/number_format.hpp"
#include "trains/train_memory.hpp"

namespace mirvok {
namespace {

// The spike-train grammar taken one character at a time, so that text can
// arrive in pieces of any size and reading can end at the first character
// that is no part of a number, however much text follows.
class SpikeTrainScanner {
  public:
    explicit SpikeTrainScanner(const TrainRoom& room = {}) : room_(room) {}

    // False once reading has stopped: no further text is needed.
    bool feed(std::string_view text) {
        for (const char c : text) {
            if (!take(c)) {
                stop_ = ReadStop{line_, column_ + 1, c};
                return false;
            }
            if (c == '\n') {
                ++line_;
                column_ = 0;
            } else {
                ++column_;
            }
        }
        return true;
    }
    const std::optional<ReadStop>& stop() const { return stop_; }
    std::vector<int> finish() {
        if (state_ == State::Digits) keep(step_.value());
        state_ = State::Stopped;
        return std::move(steps_);
    }

  private:
    enum class State { Between, Sign, Digits, Stopped };

    bool take(char c) {
        switch (state_) {
            case State::Digits:
                if (isDigit(c)) {
                    step_.addDigit(c);
                    return true;
                }
                keep(step_.value());
                state_ = State::Between;
                // A comma belongs to the number only when it follows it directly.
                if (c == ',') return true;
                [[fallthrough]];
            case State::Between:
                if (isWhiteSpace(c)) return true;
                if (c == '+' || c == '-') {
                    step_ = StepAccumulator(c == '-');
                    state_ = State::Sign;
                    return true;
                }
                step_ = StepAccumulator();
                [[fallthrough]];
            case State::Sign:
                if (isDigit(c)) {
                    step_.addDigit(c);
                    state_ = State::Digits;
                    return true;
                }
                break;
            case State::Stopped:
                break;
        }
        state_ = State::Stopped;
        return false;
    }

    void keep(int step) {
        if (steps_.size() == steps_.capacity()) room_.checkGrowth(steps_.size());
        steps_.push_back(step);
    }

    TrainRoom room_;
    std::optional<ReadStop> stop_;
    std::size_t line_ = 1;
    std::size_t column_ = 0;
    State state_ = State::Between;
    StepAccumulator step_;
    std::vector<int> steps_;
};

}  // namespace

std::vector<int> parseSpikeTrainText(std::string_view text) {
    SpikeTrainScanner scanner;
    scanner.feed(text);
    return scanner.finish();
}

TrainLoad loadInputTrain(SimState& state, std::span<const int> steps) {
    TrainLoad load;
    load.skipped = loadTrain(state, steps);
    load.stored = state.inSpikeSteps.size();
    return load;
}

std::string readStopMessage(const std::string& path, const ReadStop& stop, std::size_t steps) {
    const unsigned char c = static_cast<unsigned char>(stop.character);
    char shown[8];
    if (c >= 0x20 && c < 0x7f)
        std::snprintf(shown, sizeof shown, "'%c'", c);
    else
        std::snprintf(shown, sizeof shown, "byte %02X", c);
    return "reading " + path + " stopped at line " + IntToStr(static_cast<long long>(stop.line)) +
           ", column " + IntToStr(static_cast<long long>(stop.column)) + ", at " + shown +
           ", which is no part of a step number: the train holds the " +
           counted(static_cast<long long>(steps), "step") + " read before it";
}

std::string skippedStepsMessage(std::size_t skipped, int Nsteps) {
    const long long n = static_cast<long long>(skipped);
    if (Nsteps <= 0)
        return counted(n, "spike step was", "spike steps were") + " skipped: the run has no steps";
    const std::string range = " outside 0 to " + IntToStr(Nsteps - 1);
    return counted(n, "spike step" + range + " was", "spike steps" + range + " were") + " skipped";
}

std::optional<TrainLoad> readSpikeTrainFile(SimState& state, const std::string& path,
                                            std::uint64_t availableBytes) {
    SpikeTrainScanner scanner({availableBytes, state.Nsteps, "use a shorter train"});
    if (!readFileInChunks(path, [&](std::string_view chunk) { return scanner.feed(chunk); }))
        return std::nullopt;
    TrainLoad load = loadInputTrain(state, scanner.finish());
    load.stoppedAt = scanner.stop();
    return load;
}

}  // namespace mirvok
