#pragma once

#include "base/errors.hpp"

namespace mirvok::cli {

// While one exists, SIGINT (Ctrl-C) and SIGTERM no longer end the process
// at once: the first one is noted for a batch to stop after the records it
// is writing, so that every line of the result file stays whole. A second
// one ends the process as usual, for a user who will not wait for the runs
// in progress. The previous handling comes back when it is destroyed.
class InterruptCatcher {
  public:
    InterruptCatcher();
    ~InterruptCatcher();
    InterruptCatcher(const InterruptCatcher&) = delete;
    InterruptCatcher& operator=(const InterruptCatcher&) = delete;

    // The signal caught since construction, 0 when none; safe from any thread.
    static int caught();
};

// A batch stopped by a signal: the message says how far it got; the tool
// exits with 128 + the signal's number (130 for SIGINT, 143 for SIGTERM).
class Interrupted : public Error {
  public:
    Interrupted(int signal, const std::string& message) : Error(message), signal_(signal) {}
    int signal() const { return signal_; }

  private:
    int signal_;
};

}  // namespace mirvok::cli
