#pragma once

#include "batch/batch_loops.hpp"

namespace mirvok::ui {

class TForm1;

// The core's batch loops mapped onto the window: All disabled while the
// batch runs, the result file named by SaveDialog1 ("output.csv" unless
// "ask file" is ticked; "del" truncates, clear appends), the iteration count
// from "iterations:", panel 0 counting the runs, events pumped between runs,
// and at the end one redraw and the summary in panels 1, 3 and 4.
class WindowBatchHooks final : public BatchHooks {
  public:
    explicit WindowBatchHooks(TForm1& form) : form_(form) {}

    void batchStarted() override;
    std::optional<ResultTarget> chooseResultFile() override;
    void openFailed(const std::string& message) override;
    int iterations() override;
    double headerShape() override;
    double headerIsi() override;
    void beforeIteration(int index) override;
    void makeTrain(SimState& state, int index) override;
    void trainLoaded(const TrainLoad& load, const std::string& sourcePath) override;
    void runTrain(SimState& state) override;
    void cleanup() noexcept override;
    void batchFinished(const BatchReport& report) override;

  private:
    TForm1& form_;
};

}  // namespace mirvok::ui
