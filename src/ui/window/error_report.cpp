#include "ui/window/error_report.hpp"

#include <QString>
#include <exception>

#include "ui/dialogs/dialogs.hpp"

namespace mirvok::ui {

bool runReported(Dialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
    QString message;
    QString title = QStringLiteral("Mirvok");
    try {
        handler();
        return true;
    } catch (const WindowClosed&) {
        return false;
    } catch (const std::exception& e) {
        if (const auto* box = dynamic_cast<const BoxTitled*>(&e)) title = box->boxTitle();
        message = QString::fromUtf8(e.what());
    } catch (...) {
        message = QStringLiteral("Unknown error");
    }
    // Shown outside the catch block: the message box runs an event loop of
    // its own, and the exception object must be gone before it does.
    dialogs.showTitledMessage(parent, title, message);
    return false;
}

}  // namespace mirvok::ui
