#pragma once

#include <QAbstractListModel>
#include <cstddef>
#include <vector>

#include "analysis/local_window_sink.hpp"
#include "ui/results/results_data.hpp"

namespace mirvok::ui {

class LineListView;

// VariBox's lines: one per local window of the latest analysis whose local
// CV is not 0 ("6.: 0.34993"), in the order of the windows. A line's text
// is made only when the list shows it, so that a run of millions of windows
// costs the list a number per window rather than a text and a line's layout.
// The analysis fills it as its sink; flush() shows what it was given, also
// after an analysis that failed part-way.
class LocalCvList final : public QAbstractListModel, public LocalWindowSink {
    Q_OBJECT
  public:
    // Becomes the model of `view`.
    explicit LocalCvList(LineListView* view);

    void start(std::size_t atMost) override;
    void window(std::size_t spike, double lcv) override;
    void flush();

    // Every window of the latest analysis, those of local CV 0 included.
    const LocalWindows& windows() const { return windows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    // The window a line shows.
    std::size_t windowOfRow(std::size_t row) const;

    LocalWindows windows_;
    // Each run of windows of local CV 0: the line it comes before, and the
    // windows of local CV 0 up to the end of that run.
    struct Skip {
        std::size_t row = 0;
        std::size_t skipped = 0;
    };
    std::vector<Skip> skips_;
    std::size_t rows_ = 0;
    bool resetting_ = false;
};

}  // namespace mirvok::ui
