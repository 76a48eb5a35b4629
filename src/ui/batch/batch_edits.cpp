#include "ui/batch/batch_edits.hpp"

#include "ui/batch/window_provenance.hpp"
#include "ui/boxes/box_params.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {

std::vector<double> BatchEdits::numbers(TrainChoice trains) const {
    std::vector<double> numbers;
    numbers.reserve(valueTable().size() + 4);
    for (const ValueRow& row : valueTable()) numbers.push_back(boxes_.valueBox(row).value());
    numbers.push_back(trains.segmentMode);
    numbers.push_back(trains.quantify);
    numbers.push_back(trains.quantifyZeroOne);
    if (generated_) numbers.push_back(boxes_.iterations.value());
    return numbers;
}

Json BatchEdits::values(TrainChoice trains) const {
    Json values = boxValuesJson(boxes_, segments_, trains,
                                generated_ ? BatchSource::Generated : BatchSource::Replayed);
    if (generated_) values[kIterationsKey] = boxes_.iterations.intValue();
    return values;
}

void BatchEdits::start(TrainChoice trains, bool generated) {
    generated_ = generated;
    seen_ = numbers(trains);
    changes_.emplace(values(trains), !generated);
}

void BatchEdits::look(TrainChoice trains, int run, BatchMoment moment) {
    std::vector<double> now = numbers(trains);
    if (now == seen_) return;
    seen_ = std::move(now);
    changes_->note(values(trains), run, moment);
}

Json BatchEdits::changes() const {
    return changes_ ? changes_->json() : Json::array();
}

}  // namespace mirvok::ui
