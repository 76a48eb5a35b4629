#pragma once

#include <QString>

#include "model/sim_state.hpp"
#include "ui/display/display_painter.hpp"
#include "ui/display/run_screen.hpp"
#include "ui/display/trace_columns.hpp"
#include "ui/window/window_state.hpp"

class QWidget;

namespace mirvok::ui {

class Dialogs;

// The window's displays and message box as runs and batches reach them: the
// painter over the display widgets, with the trace columns recorded while
// runs step, and messages modal to the window.
class WindowScreen final : public RunScreen {
  public:
    WindowScreen(const SimState& state, const WindowState& window, const FormControls& ui,
                 StatusPanels& status, Dialogs& dialogs, QWidget* widget)
        : state_(state),
          window_(window),
          ui_(ui),
          status_(status),
          dialogs_(dialogs),
          widget_(widget) {}

    void redraw() override;
    void recordStep() override;
    void showMessage(const QString& text) override;

  private:
    const SimState& state_;
    const WindowState& window_;
    const FormControls& ui_;
    StatusPanels& status_;
    TracesColumns columns_;
    Dialogs& dialogs_;
    QWidget* widget_;
};

}  // namespace mirvok::ui
