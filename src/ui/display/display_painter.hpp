#pragma once

#include <array>

#include "model/sim_state.hpp"
#include "ui/display/trace_columns.hpp"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace mirvok::ui {

struct FormControls;

class ImageArea;
class StatusPanels;

// The controls the redraw reads and writes.
struct DisplayWidgets {
    ImageArea* inImage = nullptr;
    ImageArea* outImage = nullptr;
    ImageArea* plotter = nullptr;
    ImageArea* variImage = nullptr;
    std::array<QLabel*, 5> axisLabels{};  // Nsteps0Text .. Nsteps4Text
    QLineEdit* timeEdit = nullptr;
    QLineEdit* ign = nullptr;
    QProgressBar* pbV1 = nullptr;
    QProgressBar* pbV2 = nullptr;
    QLineEdit* v1Act = nullptr;
    QLineEdit* v2Act = nullptr;
    QLineEdit* vdiff = nullptr;
    StatusPanels* status = nullptr;
};

// redrawDisplays: computes the display scene from the state and the boxes
// (display_scene.hpp), then paints it onto the image areas and writes the
// labels, bars, value boxes and status panels. The columns recorded while
// the run stepped spare it a scan of the traces where they still fit.
void paintDisplays(const SimState& state, const DisplayWidgets& widgets,
                   const TracesColumns& columns);

// Records the trace entries of the step at curStep into the column extents
// for the next redraw; a watched or instant run has it called after every
// update.
void recordTraceStep(const SimState& state, const DisplayWidgets& widgets, TracesColumns& columns);

// The display's controls of the window, and its status bar.
DisplayWidgets displayWidgets(const FormControls& ui, StatusPanels& status);

}  // namespace mirvok::ui
