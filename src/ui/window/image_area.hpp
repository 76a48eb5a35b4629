#pragma once

#include <QPixmap>
#include <QWidget>

namespace mirvok::ui {

// A drawable image area: keeps its drawing in a pixmap of its own size until
// drawn over, and repaints itself from it.
class ImageArea : public QWidget {
    Q_OBJECT
  public:
    explicit ImageArea(QWidget* parent = nullptr);

    // The drawing store, brought to the area's current size (cleared white
    // when the size changed).
    QPixmap& canvas();
    const QPixmap& image() const { return pixmap_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap pixmap_;
};

}  // namespace mirvok::ui
