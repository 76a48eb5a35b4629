// "Process All!" and "ReadMulti...": the core's batch loops over the
// window's batch hooks (window_batch_hooks.hpp).
#include <QFileInfo>
#include <QPushButton>

#include "ui/tform1.hpp"
#include "ui/ui_text.hpp"

namespace mirvok::ui {

void TForm1::AllClick() {
    // A continuous run, ticking or paused, ends before the batch takes over
    // the state: inside the batch stopRun leaves the buttons alone, so the
    // window would stay in the watched run's state after it.
    if (ui_.StopButton->isEnabled()) runControl_.stopRun();
    EventPump::Scope loop(pump_);
    runGeneratedBatch(state_, batchHooks_);
}

void TForm1::ReadMultipleButtonClick() {
    // A cancelled dialog ends the operation: nothing read, nothing written.
    if (!openDialog_.execute(dialogs_, this)) return;
    // As for "Process All!", a continuous run ends first, once there is a
    // file to replay.
    if (ui_.StopButton->isEnabled() && QFileInfo::exists(openDialog_.fileName()))
        runControl_.stopRun();
    EventPump::Scope loop(pump_);
    // The file is read whole before the result file is opened; no file of
    // that name: nothing happens.
    replayResultFile(state_, toStd(openDialog_.fileName()), batchHooks_);
}

}  // namespace mirvok::ui
