#pragma once

#include <QDialog>

namespace mirvok::ui {

// The modal dialog "OKBottomDlg" in which "define intervals" cuts the run
// into segments. Created hidden with the main window and kept, so that its
// controls keep their values between uses.
class TOKBottomDlg : public QDialog {
    Q_OBJECT
  public:
    explicit TOKBottomDlg(QWidget* parent = nullptr);
};

}  // namespace mirvok::ui
