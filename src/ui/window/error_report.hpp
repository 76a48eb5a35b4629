#pragma once

#include <functional>

#include "base/errors.hpp"

class QWidget;

namespace mirvok::ui {

class Dialogs;

// Thrown out of a running loop (an instant run, a batch) at its next event
// check once the window was closed, so that the loop ends with the program
// instead of going on unseen. Not an error: the report passes over it.
struct WindowClosed : Interruption {};

// The window's default error report: runs one handler and, when any error
// escapes it, shows the error's own message (std::exception::what()) in a
// message box and returns, so that no exception reaches Qt's event loop.
// Returns false when the handler failed.
bool runReported(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

}  // namespace mirvok::ui
