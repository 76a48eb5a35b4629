#pragma once

#include <QString>

class QWidget;

namespace mirvok::ui {

class Dialogs;

// A file dialog that holds its file name between uses: execute() shows the
// dialog starting at the held name; a confirmed choice replaces the name (as
// a full path), a cancel keeps it. A save dialog with a default extension
// adds it to a chosen name that has none ("out" -> "out.csv"), and, asked
// to, asks before a file of the chosen name is replaced; No shows the
// dialog again.
class FileNameDialog {
  public:
    enum class Mode { Open, Save };
    enum class Existing { Replace, AskBeforeReplacing };

    FileNameDialog(Mode mode, QString defaultExtension = QString(), QString fileName = QString());

    // Returns true when the user confirmed a name.
    bool execute(Dialogs& dialogs, QWidget* parent, Existing existing = Existing::Replace);

    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }
    const QString& defaultExtension() const { return defaultExtension_; }

  private:
    Mode mode_;
    QString defaultExtension_;
    QString fileName_;
};

// `name` with `.extension` added when its last path element has no suffix.
QString withDefaultExtension(const QString& name, const QString& extension);

}  // namespace mirvok::ui
