#pragma once

class QString;

namespace mirvok::ui {

// What runs and batches show on the window: the displays and the message
// box. Each call may throw (a redraw reads boxes that may not convert), so
// it is called directly from the step or the batch, never through a signal:
// the error must travel up to the window's one error report.
class RunScreen {
  public:
    // Brings every display up to date with the state.
    virtual void redraw() = 0;
    // Notes the step at curStep for the next redraw; called after every update.
    virtual void recordStep() = 0;
    // A modal message box with the text.
    virtual void showMessage(const QString& text) = 0;

  protected:
    ~RunScreen() = default;
};

}  // namespace mirvok::ui
