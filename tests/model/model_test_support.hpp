#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/reset.hpp"
#include "model/step.hpp"
#include "support/test_values.hpp"

namespace mirvok::testing {

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
    TestValues values;
    values.setup.reset.time = timeMs;
    resetSimulation(s, values);
    s.inTrain.assign(s.Nsteps, 0);
    s.outTrain.assign(s.Nsteps, 0);
    return s;
}

}  // namespace mirvok::testing
