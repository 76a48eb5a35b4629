#include "ui/event_pump.hpp"

#include <QCoreApplication>

#include "ui/error_report.hpp"

namespace mirvok::ui {

namespace {
constexpr qint64 kPumpIntervalMs = 10;
}

void EventPump::pump() {
    if (!sincePump_.isValid() || sincePump_.elapsed() >= kPumpIntervalMs) {
        QCoreApplication::processEvents();
        sincePump_.start();
    }
    if (closed_ && loopRunning()) throw WindowClosed{};
}

}  // namespace mirvok::ui
