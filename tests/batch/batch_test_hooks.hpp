#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "support/fixed_batch_hooks.hpp"

namespace mirvok::testing {

// Fixed hooks that log every call, can change the iteration count as the
// batch goes on, and can throw a conversion error at a chosen call.
class LoggingHooks : public FixedBatchHooks {
  public:
    LoggingHooks(FixedBatchSettings settings, SimState& state)
        : FixedBatchHooks(std::move(settings)), state_(state) {}

    std::vector<std::string> calls;
    std::string throwAt;                        // a log entry, e.g. "make 2"
    std::function<int(int read)> iterationsAt;  // count by read number, from 0
    std::vector<bool> runningSeen;              // batchRunning at every call
    BatchReport finished;
    int iterationReads = 0;

    void batchStarted() override { log("started"); }
    std::optional<ResultTarget> chooseResultFile() override {
        log("choose");
        return FixedBatchHooks::chooseResultFile();
    }
    void openFailed(const std::string& message) override {
        log("openFailed");
        FixedBatchHooks::openFailed(message);
    }
    int iterations() override {
        log("iterations");
        const int read = iterationReads++;
        return iterationsAt ? iterationsAt(read) : FixedBatchHooks::iterations();
    }
    double headerShape() override {
        log("shape");
        return FixedBatchHooks::headerShape();
    }
    double headerIsi() override {
        log("isi");
        return FixedBatchHooks::headerIsi();
    }
    void beforeIteration(int index) override { log("before " + std::to_string(index)); }
    GeneratedReads generatedReads(int index) override {
        log("make " + std::to_string(index));
        return FixedBatchHooks::generatedReads(index);
    }
    void trainLoaded(const TrainLoad& load, const std::string& path) override {
        log("loaded " + std::to_string(load.stored) + " " + path);
    }
    void runTrain(SimState& state) override {
        log("run");
        FixedBatchHooks::runTrain(state);
    }
    void cleanup() noexcept override {
        calls.push_back("cleanup");
        runningSeen.push_back(state_.batchRunning);
    }
    void batchFinished(const BatchReport& report) override {
        log("finished");
        finished = report;
    }

  private:
    void log(const std::string& call) {
        calls.push_back(call);
        runningSeen.push_back(state_.batchRunning);
        if (call == throwAt) throw EConvertError("'x' is not a valid integer value");
    }

    SimState& state_;
};

}  // namespace mirvok::testing
