#include "ui/batch/batch_check.hpp"

#include "model/reset.hpp"
#include "ui/boxes/box_params.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {

void checkBatchBoxes(const ParameterBoxes& boxes, GeneratorEntries& entries, BatchTrains trains) {
    // In the order the batch reads them: the header, the train, the run.
    boxes.iterations.intValue();
    boxes.shape.value();
    boxes.valueBox(*rowOfGeneratorEntry(GeneratorEntry::Isi)).value();
    BoxValues values(boxes);
    const int steps = stepsOfRun(values);
    if (trains.generated)
        checkTrainEntries(steps, entries, trains.segmentMode,
                          trains.quantify ? ShapeSource::AsEntered : ShapeSource::FromCv);
    for (const ValueRow* row : valueRows({ValueGroup::Model, ValueGroup::Analysis}))
        boxes.valueBox(*row).value();
}

}  // namespace mirvok::ui
