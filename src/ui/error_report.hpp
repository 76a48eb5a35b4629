#pragma once

#include <functional>

class QWidget;

namespace mirvok::ui {

class Dialogs;

// The window's default error report: runs one handler and, when any error
// escapes it, shows the error's own message (std::exception::what()) in a
// message box and returns, so that no exception reaches Qt's event loop.
// Returns false when the handler failed.
bool runReported(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

}  // namespace mirvok::ui
