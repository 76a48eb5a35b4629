// "Process All!" and "ReadMulti...": the core's batch loops on the window's
// thread (window_batch.hpp).
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "ui/batch/batch_check.hpp"
#include "ui/batch/batch_seed.hpp"
#include "ui/tform1.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

void TForm1::AllClick() {
    // Every box the batch reads is checked first: a refused value is shown
    // once, and the result file is left as it was.
    const std::uint64_t seed = batchSeed(ui_.seedEdit->text());
    checkBatchBoxes(boxes_, state_, generatorEntries_,
                    {.generated = true,
                     .segmentMode = ui_.diffintervals->isChecked(),
                     .quantify = ui_.quantify->isChecked()});
    // A continuous run, ticking or paused, ends before the batch takes over
    // the state: inside the batch stopRun leaves the buttons alone, so the
    // window would stay in the watched run's state after it.
    if (runControl_.watching()) runControl_.stopRun();
    EventPump::Scope loop(pump_);
    ParameterBoxes::KeepLastValid keep(boxes_);
    batch_.runGenerated(seed);
    results_.setBatch(batch_.points());
    showRunResults();
}

void TForm1::ReadMultipleButtonClick() {
    // A cancelled dialog, or no file of that name: nothing happens.
    if (!openDialog_.execute(dialogs_, this) || !QFileInfo::exists(openDialog_.fileName())) return;
    checkBatchBoxes(boxes_, state_, generatorEntries_, {});
    // As for "Process All!", a continuous run ends first.
    if (runControl_.watching()) runControl_.stopRun();
    EventPump::Scope loop(pump_);
    ParameterBoxes::KeepLastValid keep(boxes_);
    batch_.replay(toStd(openDialog_.fileName()));
    results_.setBatch(batch_.points());
    showRunResults();
}

}  // namespace mirvok::ui
