#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

namespace mirvok::ui {

// The status bar: twelve panels counted from 0, with the layout's widths;
// panel 0 starts with "no input", panel 1 with "no ouput" (spelt so). A
// count or value wider than its panel is shown whole in a narrower or
// smaller font, so that 8 digits are read in full; a name too long for its
// panel is elided in the middle. The panel's tooltip holds the whole text
// unless it was given one of its own, and text() is always the whole text.
class StatusPanels : public QWidget {
    Q_OBJECT
  public:
    explicit StatusPanels(QWidget* parent = nullptr);

    int count() const { return static_cast<int>(panels_.size()); }
    QString text(int panel) const;
    // A count or value: whole, in a smaller font where needed (elided in
    // the middle only where no font read at this size fits).
    void setText(int panel, const QString& text);
    // A lead (a count and its words) whole, as above, then a name (of a
    // file) elided in the middle into the room the lead leaves.
    void setText(int panel, const QString& lead, const QString& name);
    // A count, as setText shows it, with a tooltip of its own (a batch's
    // progress) instead of the text.
    void setTextAndTip(int panel, const QString& text, const QString& toolTip);
    QLabel* panel(int index) const { return panels_.at(static_cast<size_t>(index)); }

  private:
    void show(int panel, const QString& lead, const QString& name);

    std::vector<QLabel*> panels_;
    std::vector<QString> texts_;
};

}  // namespace mirvok::ui
