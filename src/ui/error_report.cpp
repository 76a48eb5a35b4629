#include "ui/error_report.hpp"

#include <QString>
#include <exception>

#include "ui/dialogs.hpp"

namespace mirvok::ui {

bool runReported(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
    QString message;
    try {
        handler();
        return true;
    } catch (const WindowClosed&) {
        return false;
    } catch (const std::exception& e) {
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    // Shown outside the catch block: the message box runs an event loop of
    // its own, and the exception object must be gone before it does.
    dialogs.showMessage(parent, message);
    return false;
}

}  // namespace mirvok::ui
