#include "ui/display/status_panels.hpp"

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
    texts_.resize(panels_.size());
    setText(0, QStringLiteral("no input"));
    setText(1, QStringLiteral("no ouput"));
}

QString StatusPanels::text(int panel) const {
    return texts_.at(static_cast<size_t>(panel));
}

void StatusPanels::setText(int panel, const QString& text) {
    QLabel* label = panels_.at(static_cast<size_t>(panel));
    QString& whole = texts_[static_cast<size_t>(panel)];
    // Panel 0 counts every run of a batch: an unchanged text costs nothing.
    if (whole == text) return;
    whole = text;
    const int room = label->maximumWidth() - 2 * label->frameWidth() - 2 * label->margin() - 2;
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
    label->setToolTip(text);
}

}  // namespace mirvok::ui
