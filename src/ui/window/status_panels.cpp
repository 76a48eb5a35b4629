#include "ui/window/status_panels.hpp"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <optional>

#include "ui/window/window_layout.hpp"

namespace mirvok::ui {
namespace {

// The text starts this far inside the panel's frame.
constexpr int kIndent = 1;
// The fonts tried for a text too wide for its panel: narrower first, then
// smaller, never below these, which still read well at a glance.
constexpr int kNarrowest = 70;
constexpr int kPixelsLessAtMost = 1;
// A name elided beside a lead keeps at least so many of its last letters.
constexpr int kNameLettersKept = 3;

// The largest of the fonts tried in which `text` takes at most `room`
// pixels: the panel's own, narrower, then smaller.
std::optional<QFont> fittingFont(const QFont& base, const QString& text, int room) {
    if (QFontMetrics(base).horizontalAdvance(text) <= room) return base;
    const int stretch = base.stretch() > 0 ? base.stretch() : 100;
    const int size = QFontInfo(base).pixelSize();
    for (int pixels = size; pixels >= size - kPixelsLessAtMost; --pixels)
        for (int narrow = stretch; narrow >= kNarrowest; narrow -= 10) {
            QFont font = base;
            font.setPixelSize(pixels);
            font.setStretch(narrow);
            if (QFontMetrics(font).horizontalAdvance(text) <= room) return font;
        }
    return std::nullopt;
}

}  // namespace

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
        label->setIndent(kIndent);
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
    setText(panel, text, QString());
}

void StatusPanels::setText(int panel, const QString& lead, const QString& name,
                           const QString& note) {
    QString& whole = texts_.at(static_cast<size_t>(panel));
    const QString tip = note.isEmpty() ? lead + name : lead + name + QLatin1Char('\n') + note;
    QLabel* label = panels_.at(static_cast<size_t>(panel));
    // Panel 0 counts every run of a batch: an unchanged text costs nothing.
    if (whole == lead + name && label->toolTip() == tip) return;
    if (whole != lead + name) {
        whole = lead + name;
        show(panel, lead, name);
    }
    label->setToolTip(tip);
}

void StatusPanels::setTextAndTip(int panel, const QString& text, const QString& toolTip) {
    QString& whole = texts_.at(static_cast<size_t>(panel));
    if (whole != text) {
        whole = text;
        show(panel, text, QString());
    }
    // A batch's progress changes far less often than its count.
    QLabel* label = panels_.at(static_cast<size_t>(panel));
    if (label->toolTip() != toolTip) label->setToolTip(toolTip);
}

void StatusPanels::show(int panel, const QString& lead, const QString& name) {
    QLabel* label = panels_.at(static_cast<size_t>(panel));
    const int room =
        label->maximumWidth() - 2 * label->frameWidth() - 2 * label->margin() - kIndent - 1;
    // A name needs room for at least its ellipsis and its last letters.
    const std::optional<QFont> fitted = fittingFont(
        font(), name.isEmpty() ? lead : lead + QChar(0x2026) + name.right(kNameLettersKept), room);
    // The panel's own font stays inherited where it fits; a label's font is
    // only set when it changes, for the panel redrawn at every step.
    const QFont& wanted = fitted ? *fitted : font();
    if (label->font() != wanted) label->setFont(wanted == font() ? QFont() : wanted);
    if (!fitted) {  // not even the smallest font: a count cut at its end, a name elided
        const Qt::TextElideMode mode = name.isEmpty() ? Qt::ElideRight : Qt::ElideMiddle;
        label->setText(QFontMetrics(wanted).elidedText(lead + name, mode, room));
    } else if (name.isEmpty()) {
        label->setText(lead);
    } else {
        const QFontMetrics metrics(wanted);
        label->setText(lead + metrics.elidedText(name, Qt::ElideMiddle,
                                                 room - metrics.horizontalAdvance(lead)));
    }
}

}  // namespace mirvok::ui
