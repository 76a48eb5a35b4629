#include "ui/window_screen.hpp"

#include "ui/dialogs.hpp"

namespace mirvok::ui {

void WindowScreen::redraw() {
    paintDisplays(state_, widgets_, columns_);
}

void WindowScreen::recordStep() {
    recordTraceStep(state_, widgets_, columns_);
}

void WindowScreen::showMessage(const QString& text) {
    dialogs_.showMessage(window_, text);
}

}  // namespace mirvok::ui
