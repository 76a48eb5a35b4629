#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "model/rates.hpp"
#include "model/reset.hpp"
#include "model/step.hpp"

namespace mirvok::testing {

// Rates that log every read and can fail at a chosen one, as a box holding
// text that does not convert would.
struct ScriptedRates : RateSource {
    FixedRates values;
    std::string failOn;  // "gamma1", "gamma2", "delta1" or "delta2"
    std::vector<std::string> reads;

    double read(const std::string& name, double value) {
        reads.push_back(name);
        if (name == failOn) throw EConvertError("'x' is not a valid floating point value");
        return value;
    }
    double gamma1() override { return read("gamma1", values.g1); }
    double gamma2() override { return read("gamma2", values.g2); }
    double delta1() override { return read("delta1", values.d1); }
    double delta2() override { return read("delta2", values.d2); }
};

// Hooks that log what the run asked of them.
struct RecordingHooks : RunHooks {
    std::vector<std::string> calls;
    std::function<void()> onStop;

    void pumpEvents() override { calls.push_back("pump"); }
    void afterUpdate() override { calls.push_back("after"); }
    void stopRun() override {
        calls.push_back("stop");
        if (onStop) onStop();
    }
    void rateFailed() override { calls.push_back("message"); }

    int count(const std::string& name) const {
        int n = 0;
        for (const auto& c : calls) n += c == name;
        return n;
    }
};

// A state reset with the default boxes for a run of `timeMs` ms.
inline SimState defaultState(int timeMs = 1000) {
    SimState s;
    FixedResetValues values;
    values.time = timeMs;
    resetSimulation(s, values);
    s.inTrain.assign(s.Nsteps, 0);
    s.outTrain.assign(s.Nsteps, 0);
    return s;
}

}  // namespace mirvok::testing
