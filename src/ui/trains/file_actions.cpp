// "Save...": the output spike list of the latest run into a file.
#include "records/spike_list_file.hpp"
#include "ui/tform1.hpp"
#include "ui/window/status_panels.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

void TForm1::SaveButtonClick() {
    // A cancelled dialog ends the operation: nothing is written. An existing
    // file is replaced only when the user says so.
    if (!spikeListDialog_.execute(dialogs_, this, FileNameDialog::Existing::AskBeforeReplacing))
        return;
    const QString name = spikeListDialog_.fileName();
    // A file that cannot be written throws "Could not write the file <name>",
    // which the error report shows; panel 1 then keeps its text.
    writeSpikeList(toStd(name), state_.outSpikeSteps);
    statusBar_->setText(1, spikeCountLead(state_.outSpikeSteps.size()), name);
}

}  // namespace mirvok::ui
