#pragma once

#include "analysis/analysis.hpp"
#include "model/instant_run.hpp"

namespace mirvok {

// Pending events of a window that drives runs from its own thread (its
// batch), offered every few hundred steps; a throw ends the run there.
class RunEvents {
  public:
    virtual void pumpEvents() = 0;

  protected:
    ~RunEvents() = default;
};

// Run hooks for runs without a window: stopping a run only analyses it into
// results, as it does inside a batch.
class AnalysingHooks : public RunHooks {
  public:
    AnalysingHooks(SimState& state, ValueSource& values, RunResults& results,
                   RunEvents* events = nullptr)
        : state_(state), values_(values), results_(results), events_(events) {}
    void pumpEvents() override {
        if (events_) events_->pumpEvents();
    }
    void stopRun() override;

  private:
    SimState& state_;
    ValueSource& values_;
    RunResults& results_;
    RunEvents* events_;
};

// An instant run with its analysis into results, for the batches and the
// command line: made for its spike lists and results only, so it keeps no
// traces. Events (may be null) are offered as the run goes on.
RunEnd runAndAnalyse(SimState& state, ValueSource& values, RunResults& results,
                     RunEvents* events = nullptr);

}  // namespace mirvok
