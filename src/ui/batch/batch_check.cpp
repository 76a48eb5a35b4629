#include "ui/batch/batch_check.hpp"

#include "model/reset.hpp"
#include "system/machine_memory.hpp"
#include "ui/boxes/box_params.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {

void checkBatchBoxes(const ParameterBoxes& boxes, GeneratorEntries& entries, BatchTrains trains) {
    // In the order the batch reads them: the header, the train, the run.
    boxes.iterations.intValue();
    boxes.shape.value();
    boxes.isi.value();
    const int steps = stepsForRunLength(boxes.time.intValue(), physicalMemoryBytes());
    if (trains.generated)
        checkTrainEntries(steps, entries, trains.segmentMode,
                          trains.quantify ? ShapeSource::AsEntered : ShapeSource::FromCv);
    for (const ValueRow* row : valueRows({ValueGroup::Model, ValueGroup::Analysis}))
        boxes.valueBox(*row).value();
}

}  // namespace mirvok::ui
