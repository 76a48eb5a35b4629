#pragma once

#include <QString>

#include "model/sim_state.hpp"
#include "ui/display/display_painter.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/display/trace_columns.hpp"

class QWidget;

namespace mirvok::ui {

class Dialogs;

// The window's displays and message box as runs and batches reach them: the
// painter over the display widgets, with the trace columns recorded while
// runs step, and messages modal to the window.
class WindowScreen final : public RunScreen {
  public:
    WindowScreen(const SimState& state, const FormControls& ui, StatusPanels& status,
                 Dialogs& dialogs, QWidget* window)
        : state_(state), ui_(ui), status_(status), dialogs_(dialogs), window_(window) {}

    void redraw() override;
    void recordStep() override;
    void showMessage(const QString& text) override;

  private:
    const SimState& state_;
    const FormControls& ui_;
    StatusPanels& status_;
    TracesColumns columns_;
    Dialogs& dialogs_;
    QWidget* window_;
};

}  // namespace mirvok::ui
