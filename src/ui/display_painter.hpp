#pragma once

namespace mirvok::ui {

class TForm1;

// redrawDisplays: computes the display scene from the state and the boxes
// (display_scene.hpp), then paints it onto the image areas and writes the
// labels, bars, value boxes and status panels.
void paintDisplays(TForm1& form);

// Records the trace entries of the step at curStep into the window's column
// extents (TForm1::traceColumns); run control calls it after every update.
void recordTraceStep(TForm1& form);

}  // namespace mirvok::ui
