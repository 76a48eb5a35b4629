#include "ui/status_panels.hpp"

#include <QHBoxLayout>

#include "ui/window_layout.hpp"

namespace mirvok::ui {

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("StatusBar"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 0, 1);
    row->setSpacing(2);
    int index = 0;
    for (int width : statusPanelWidths()) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("StatusPanel%1").arg(index++));
        label->setFixedWidth(width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        row->addWidget(label);
        panels_.push_back(label);
    }
    row->addStretch(1);
    panels_[0]->setText(QStringLiteral("no input"));
    panels_[1]->setText(QStringLiteral("no ouput"));
}

QString StatusPanels::text(int panel) const {
    return panels_.at(static_cast<size_t>(panel))->text();
}

void StatusPanels::setText(int panel, const QString& text) {
    panels_.at(static_cast<size_t>(panel))->setText(text);
}

}  // namespace mirvok::ui
