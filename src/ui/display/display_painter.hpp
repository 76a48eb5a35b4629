#pragma once

#include "model/sim_state.hpp"
#include "ui/display/trace_columns.hpp"
#include "ui/window/window_state.hpp"

namespace mirvok::ui {

struct FormControls;
class StatusPanels;

// redrawDisplays: computes the display scene from the state, what the window
// keeps beside it and the boxes (display_scene.hpp), then paints it onto the image areas and writes
// the labels, bars, value boxes and status panels. The columns recorded while the run stepped spare
// it a scan of the traces where they still fit.
void paintDisplays(const SimState& state, const WindowState& window, const FormControls& ui,
                   StatusPanels& status, const TracesColumns& columns);

// Records the trace entries of the step at curStep into the column extents
// for the next redraw; a watched or instant run has it called after every
// update.
void recordTraceStep(const SimState& state, const FormControls& ui, TracesColumns& columns);

}  // namespace mirvok::ui
