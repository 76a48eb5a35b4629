#include "ui/dialogs/scripted/scripted_dialogs.hpp"

namespace mirvok::ui {
namespace {

QString takeFront(std::deque<QString>& queue) {
    if (queue.empty()) return QString();
    QString answer = queue.front();
    queue.pop_front();
    return answer;
}

}  // namespace

QString ScriptedDialogs::askOpenFileName(QWidget*, const QString& current) {
    openStarts.append(current);
    return takeFront(openAnswers);
}

QString ScriptedDialogs::askSaveFileName(QWidget*, const QString& current) {
    saveStarts.append(current);
    return takeFront(saveAnswers);
}

QString ScriptedDialogs::askFolder(QWidget*, const QString&) {
    return takeFront(folderAnswers);
}

void ScriptedDialogs::showMessage(QWidget* parent, const QString& text) {
    showTitledMessage(parent, QStringLiteral("Mirvok"), text);
}

void ScriptedDialogs::showTitledMessage(QWidget*, const QString& title, const QString& text) {
    messages.append(text);
    titles.append(title);
}

bool ScriptedDialogs::askYesNo(QWidget*, const QString& question) {
    questions.append(question);
    if (questionAnswers.empty()) return false;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
}

int ScriptedDialogs::execDialog(QDialog& dialog) {
    ++dialogsShown;
    if (dialogScripts.empty()) return QDialog::Accepted;
    auto script = std::move(dialogScripts.front());
    dialogScripts.pop_front();
    return script(dialog);
}

}  // namespace mirvok::ui
