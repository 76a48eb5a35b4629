#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

namespace mirvok::ui {

// The status bar: twelve panels counted from 0, with the layout's widths;
// panel 0 starts with "no input", panel 1 with "no ouput" (spelt so). A
// text wider than its panel is shown elided in the middle, whole in the
// panel's tooltip; text() is always the whole text.
class StatusPanels : public QWidget {
    Q_OBJECT
  public:
    explicit StatusPanels(QWidget* parent = nullptr);

    int count() const { return static_cast<int>(panels_.size()); }
    QString text(int panel) const;
    void setText(int panel, const QString& text);
    QLabel* panel(int index) const { return panels_.at(static_cast<size_t>(index)); }

  private:
    std::vector<QLabel*> panels_;
    std::vector<QString> texts_;
};

}  // namespace mirvok::ui
