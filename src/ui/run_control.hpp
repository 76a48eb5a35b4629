#pragma once

#include "model/step.hpp"

namespace mirvok::ui {

class TForm1;

// Count!, Simulate!, Pause and Stop over the core's instant run and step,
// keeping the buttons, boxes and Timer1 in the state each run state needs.
class RunControl {
  public:
    explicit RunControl(TForm1& form);

    void runAllSteps();
    void startContinuousRun();
    void stopRun();
    void togglePause();
    // One timer tick: one step of the continuous run.
    void tick();

  private:
    // What the core's loops need from the window.
    class Hooks final : public RunHooks {
      public:
        Hooks(RunControl& control, bool pumps) : control_(control), pumps_(pumps) {}
        void pumpEvents() override;
        void afterUpdate() override;
        void stopRun() override;
        void rateFailed() override;

      private:
        RunControl& control_;
        bool pumps_;
    };

    void setContinuousButtons();

    TForm1& form_;
    Hooks instantHooks_;
    Hooks tickHooks_;
    // The speed bar and "graphic trace" as the step reads them, kept current
    // by their change signals, so that a step makes no call into the widgets.
    int speed_ = 1;
    bool graphicTrace_ = false;
    // The interval the step last gave Timer1 (reading it back from the timer
    // costs more than a step); -1 until the first step sets it.
    int intervalSet_ = -1;
};

}  // namespace mirvok::ui
