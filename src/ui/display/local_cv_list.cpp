#include "ui/display/local_cv_list.hpp"

#include <algorithm>
#include <climits>
#include <iterator>

#include "analysis/analysis.hpp"
#include "ui/window/line_list_view.hpp"
#include "ui/window/ui_text.hpp"

namespace mirvok::ui {

LocalCvList::LocalCvList(LineListView* view) : QAbstractListModel(view) {
    view->setModel(this);
}

void LocalCvList::start(std::size_t atMost) {
    if (!resetting_) beginResetModel();
    resetting_ = true;
    windows_.values.clear();
    windows_.values.shrink_to_fit();
    windows_.values.reserve(atMost);
    windows_.firstSpike = 0;
    skips_.clear();
    rows_ = 0;
}

void LocalCvList::window(std::size_t spike, double lcv) {
    if (windows_.values.empty()) windows_.firstSpike = spike;
    windows_.values.push_back(lcv);
    if (lcv != 0.0) {
        ++rows_;
        return;
    }
    const std::size_t skipped = windows_.values.size() - rows_;
    // A window of 0 right after another lengthens its run.
    if (!skips_.empty() && skips_.back().row == rows_)
        skips_.back().skipped = skipped;
    else
        skips_.push_back({rows_, skipped});
}

void LocalCvList::flush() {
    if (!resetting_) return;
    resetting_ = false;
    windows_.values.shrink_to_fit();
    endResetModel();
}

std::size_t LocalCvList::windowOfRow(std::size_t row) const {
    // The last run of zeros that lies before this line.
    const auto after = std::upper_bound(skips_.begin(), skips_.end(), row,
                                        [](std::size_t r, const Skip& s) { return r < s.row; });
    return row + (after == skips_.begin() ? 0 : std::prev(after)->skipped);
}

int LocalCvList::rowCount(const QModelIndex& parent) const {
    // While the analysis fills it, the list shows nothing.
    if (parent.isValid() || resetting_) return 0;
    return static_cast<int>(std::min<std::size_t>(rows_, INT_MAX));
}

QVariant LocalCvList::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || resetting_) return {};
    const std::size_t w = windowOfRow(static_cast<std::size_t>(index.row()));
    if (w >= windows_.values.size()) return {};
    return toQt(localCvLine(windows_.firstSpike + w, windows_.values[w], decimalSeparator()));
}

}  // namespace mirvok::ui
