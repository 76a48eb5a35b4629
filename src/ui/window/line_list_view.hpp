#pragma once

#include <QAbstractScrollArea>

class QAbstractItemModel;

namespace mirvok::ui {

// A list box over a one-column list model that keeps nothing per line:
// every line is one text line high, and only the lines in view are asked
// for and painted, so that a list of millions of lines shows at once and
// costs no memory of its own (a QListView lays out every line first).
class LineListView final : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit LineListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    QAbstractItemModel* model() const { return model_; }
    // The line at the top of the view.
    int firstLineShown() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int lineHeight() const;
    void modelChanged();

    QAbstractItemModel* model_ = nullptr;
};

}  // namespace mirvok::ui
