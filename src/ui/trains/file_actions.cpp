// "Save...": the output spike list of the latest run into a file.
#include "records/spike_list_file.hpp"
#include "ui/trains/train_actions.hpp"
#include "ui/window/main_window.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

void TrainActions::SaveButtonClick() {
    // A cancelled dialog ends the operation: nothing is written. An existing
    // file is replaced only when the user says so.
    if (!spikeListDialog_.execute(window_.dialogs(), &window_,
                                  FileNameDialog::Existing::AskBeforeReplacing))
        return;
    const QString name = spikeListDialog_.fileName();
    // A file that cannot be written throws "Could not write the file <name>",
    // which the error report shows; panel 1 then keeps its text.
    writeSpikeList(toStd(name), parts_.state.outSpikeSteps);
    window_.StatusBar().setText(1, spikeCountLead(parts_.state.outSpikeSteps.size()), name);
}

}  // namespace mirvok::ui
