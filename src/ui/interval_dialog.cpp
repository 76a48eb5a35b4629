#include "ui/interval_dialog.hpp"

namespace mirvok::ui {

TOKBottomDlg::TOKBottomDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OKBottomDlg"));
    setWindowTitle(QStringLiteral("Define intervals"));
    setFixedSize(640, 181);
}

}  // namespace mirvok::ui
