#include "ui/display/window_screen.hpp"

#include "ui/dialogs/dialogs.hpp"

namespace mirvok::ui {

void WindowScreen::redraw() {
    paintDisplays(state_, window_, ui_, status_, columns_);
}

void WindowScreen::recordStep() {
    // A batch redraws once, at its end, from the traces themselves; recording
    // every one of its runs would cost as much as the model's own steps. The
    // columns are dropped at the first step of each of its runs.
    if (window_.batchRunning) {
        if (state_.curStep == 0) {
            columns_.v1.invalidate();
            columns_.v2.invalidate();
        }
        return;
    }
    recordTraceStep(state_, ui_, columns_);
}

void WindowScreen::showMessage(const QString& text) {
    dialogs_.showMessage(widget_, text);
}

}  // namespace mirvok::ui
