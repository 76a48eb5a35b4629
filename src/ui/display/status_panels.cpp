#include "ui/display/status_panels.hpp"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <optional>

#include "ui/window_layout.hpp"

namespace mirvok::ui {
namespace {

// The text starts this far inside the panel's frame.
constexpr int kIndent = 2;
// The fonts tried for a text too wide for its panel: narrower first, then
// smaller, never below these.
constexpr int kNarrowest = 60;
constexpr int kSmallestPixels = 7;
// A name elided beside a lead keeps at least so many of its last letters.
constexpr int kNameLettersKept = 3;

// The largest of the fonts tried in which `text` takes at most `room`
// pixels: the panel's own, narrower, then smaller.
std::optional<QFont> fittingFont(const QFont& base, const QString& text, int room) {
    if (QFontMetrics(base).horizontalAdvance(text) <= room) return base;
    const int stretch = base.stretch() > 0 ? base.stretch() : 100;
    for (int pixels = QFontInfo(base).pixelSize(); pixels >= kSmallestPixels; --pixels)
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
    show(panel, text, {});
}

void StatusPanels::setText(int panel, const QString& lead, const QString& name) {
    show(panel, lead, name);
}

void StatusPanels::show(int panel, const QString& lead, const QString& name) {
    QLabel* label = panels_.at(static_cast<size_t>(panel));
    QString& whole = texts_[static_cast<size_t>(panel)];
    // Panel 0 counts every run of a batch: an unchanged text costs nothing.
    if (whole == lead + name) return;
    whole = lead + name;
    const int room =
        label->maximumWidth() - 2 * label->frameWidth() - 2 * label->margin() - kIndent - 1;
    // A name needs room for at least its ellipsis and its last letters.
    const QString nameRoom = QChar(0x2026) + name.right(kNameLettersKept);
    const std::optional<QFont> fitted =
        fittingFont(font(), name.isEmpty() ? lead : lead + nameRoom, room);
    QString shown;
    if (!fitted) {  // not even the smallest font: elided like a name
        label->setFont(QFont());
        shown = label->fontMetrics().elidedText(whole, Qt::ElideMiddle, room);
    } else {
        // The panel's own font stays inherited where it fits.
        label->setFont(*fitted == font() ? QFont() : *fitted);
        const QFontMetrics metrics(*fitted);
        shown = lead +
                metrics.elidedText(name, Qt::ElideMiddle, room - metrics.horizontalAdvance(lead));
    }
    label->setText(shown);
    label->setToolTip(whole);
}

}  // namespace mirvok::ui
