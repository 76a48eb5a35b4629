#include "ui/window/control_state.hpp"

#include <QWidget>

namespace mirvok::ui {

void setControlEnabled(QWidget* control, bool enabled, QWidget* defaultButton) {
    if (!enabled && control->window()->focusWidget() == control && defaultButton->isEnabled())
        defaultButton->setFocus();
    control->setEnabled(enabled);
}

}  // namespace mirvok::ui
