#pragma once

class QWidget;

namespace mirvok::ui {

// Enables or disables a control. A control disabled while it holds the
// window's focus first hands the focus to `defaultButton` (Count!), where
// the toolkit would hand it to the next control in the tab order: a run or
// a batch that disables the button just clicked must not leave Enter on
// "define intervals" or "Save...".
void setControlEnabled(QWidget* control, bool enabled, QWidget* defaultButton);

}  // namespace mirvok::ui
