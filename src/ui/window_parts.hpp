#pragma once

#include "ui/batch/window_batch.hpp"
#include "ui/display/display_painter.hpp"
#include "ui/run/run_control.hpp"

namespace mirvok::ui {

struct FormControls;

// Which of the window's named controls each part gets: the one place that
// hands them out, so that every part sees only the controls it uses.
RunWidgets runWidgets(const FormControls& ui);
DisplayWidgets displayWidgets(const FormControls& ui, StatusPanels& status);
BatchWidgets batchWidgets(const FormControls& ui);

}  // namespace mirvok::ui
