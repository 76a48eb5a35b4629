#pragma once

#include <QElapsedTimer>

namespace mirvok::ui {

// Lets the window's pending events be handled from inside long loops (the
// instant run, batches), and tells the window whether such a loop runs.
class EventPump {
  public:
    // Handles pending events, at most about every 10 ms, so loops may call
    // it often and cheaply; true when it handled them now. Once the window
    // was closed it throws WindowClosed inside a loop, which ends the loop
    // with the program.
    bool pump();

    // The window was closed: loops end at their next pump.
    void windowClosed() { closed_ = true; }
    bool closed() const { return closed_; }

    // Marks a running loop for as long as it lives (nestable). Batches hold
    // one around their iterations; the instant run holds one itself.
    class Scope {
      public:
        explicit Scope(EventPump& pump) : pump_(pump) { ++pump_.loopDepth_; }
        ~Scope() { --pump_.loopDepth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

      private:
        EventPump& pump_;
    };
    bool loopRunning() const { return loopDepth_ > 0; }

  private:
    QElapsedTimer sincePump_;
    int loopDepth_ = 0;
    bool closed_ = false;
};

}  // namespace mirvok::ui
