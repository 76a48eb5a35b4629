#pragma once

#include <string>
#include <vector>

#include "text/json.hpp"

namespace mirvok {

// Where run `run` of a batch on the window's thread was when the window
// handled its events: a value edited then is first read by this run or by
// the next, depending on when the run reads it.
enum class BatchMoment {
    BeforeRun,     // before the run reads anything: it reads every value anew
    DrawingTrain,  // its train is being drawn from the generator's values
    RunStarted,    // the run was reset from its values, no step made yet
    Stepping,      // steps were made with the rates read so far
};

// The member that holds the count a generated batch reads before every run,
// in its values and their changes.
inline constexpr const char* kIterationsKey = "iterations";

// The values of a batch as they were edited while it ran, for FILE.json:
// each change is listed from the first run that read it,
//   [{"from_run": 1234, "gamma1": 0.01}, ...]
// by from_run, with "within_run": true when that run had already gone on
// with the earlier value (a rate edited between its steps, a run length
// edited while its train was drawn): it read both. A value a batch reads
// between runs is read by the next run. The members are those of the values
// (batchValuesJson) and "iterations", the count a generated batch reads
// before every run; a member the values no longer hold (quantify cleared)
// is null. A replay reads neither the count nor the generator's values, and
// their edits are not listed.
class ValueChanges {
  public:
    ValueChanges(Json start, bool replay) : last_(std::move(start)), replay_(replay) {}

    // The values as they are now, seen at `moment` of run `run`.
    void note(const Json& now, int run, BatchMoment moment);
    // The changes as FILE.json lists them; an empty list when there were none.
    Json json() const;

  private:
    struct Entry {
        int fromRun = 0;
        bool withinRun = false;
        Json values = Json::object();
    };

    Json last_;
    bool replay_;
    std::vector<Entry> entries_;  // in the order they were seen
};

// The values that run `run` read: `start` with every change from that run
// or an earlier one applied in order (a null member removed). `changes` as
// ValueChanges::json() writes it, checked by checkValueChanges.
Json valuesOfRun(const Json& start, const Json& changes, int run);

// The runs at which the values of a batch changed, ascending and each once.
std::vector<int> changeRuns(const Json& changes);

// The names of the values edited while run `run` went on: it read both the
// earlier and the later value.
std::vector<std::string> editedWithinRun(const Json& changes, int run);

// Throws Error with the reason when `changes` is not a list of changes as
// ValueChanges writes them.
void checkValueChanges(const Json& changes);

}  // namespace mirvok
