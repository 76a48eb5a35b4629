#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

namespace mirvok::ui {

// The status bar: twelve panels counted from 0, with the layout's widths;
// panel 0 starts with "no input", panel 1 with "no ouput" (spelt so). A
// count or value wider than its panel is shown in a narrower or a slightly
// smaller font, never one too small to read, and cut at its end where even
// that is too wide; a name too long for its panel is elided in the middle.
// The panel's tooltip holds the whole text (and a note, if given) unless it
// was given one of its own, and text() is always the whole text.
class StatusPanels : public QWidget {
    Q_OBJECT
  public:
    explicit StatusPanels(QWidget* parent = nullptr);

    int count() const { return static_cast<int>(panels_.size()); }
    QString text(int panel) const;
    // A count or value: whole, in a smaller font where needed (cut at its
    // end only where no font tried fits).
    void setText(int panel, const QString& text);
    // A lead (a count and its words) whole, as above, then a name (of a
    // file) elided in the middle into the room the lead leaves; the note,
    // if any, follows the whole text in the tooltip.
    void setText(int panel, const QString& lead, const QString& name,
                 const QString& note = QString());
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
