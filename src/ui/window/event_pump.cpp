#include "ui/window/event_pump.hpp"

#include <QCoreApplication>

#include "ui/window/error_report.hpp"

namespace mirvok::ui {

namespace {
constexpr qint64 kPumpIntervalMs = 10;
}

bool EventPump::pump() {
    const bool due = !sincePump_.isValid() || sincePump_.elapsed() >= kPumpIntervalMs;
    if (due) {
        QCoreApplication::processEvents();
        sincePump_.start();
    }
    if (closed_ && loopRunning()) throw WindowClosed{};
    return due;
}

}  // namespace mirvok::ui
