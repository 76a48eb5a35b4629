#pragma once

#include <QString>
#include <functional>
#include <utility>

#include "base/errors.hpp"

class QWidget;

namespace mirvok::ui {

class Dialogs;

// Thrown out of a running loop (an instant run, a batch) at its next event
// check once the window was closed, so that the loop ends with the program
// instead of going on unseen. Not an error: the report passes over it.
struct WindowClosed : Interruption {};

// The title of the box an error is about ("gamma 1"), for the message
// window; the error's type and message stay the conversion's own.
class BoxTitled {
  public:
    explicit BoxTitled(QString title) : title_(std::move(title)) {}
    virtual ~BoxTitled() = default;
    const QString& boxTitle() const { return title_; }

  private:
    QString title_;
};

// The window's default error report: runs one handler and, when any error
// escapes it, shows the error's own message (std::exception::what()) in a
// message box and returns, so that no exception reaches Qt's event loop.
// Returns false when the handler failed.
bool runReported(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler);

}  // namespace mirvok::ui
