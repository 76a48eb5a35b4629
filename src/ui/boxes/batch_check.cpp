#include "ui/boxes/batch_check.hpp"

#include <initializer_list>

#include "model/reset.hpp"
#include "system/machine_memory.hpp"
#include "ui/boxes/box_params.hpp"

namespace mirvok::ui {

void checkBatchBoxes(const ParameterBoxes& boxes, const SimState& state, GeneratorEntries& entries,
                     BatchTrains trains) {
    // In the order the batch reads them: the header, the train, the run.
    boxes.iterations.intValue();
    boxes.shape.value();
    boxes.isi.value();
    const int steps = stepsForRunLength(boxes.time.intValue(), physicalMemoryBytes());
    if (trains.generated)
        checkTrainEntries(state, steps, entries, trains.segmentMode,
                          trains.quantify ? ShapeSource::AsEntered : ShapeSource::FromCv);
    for (const CachedBoxValue* box :
         {&boxes.v1Start, &boxes.v2Start, &boxes.maxDiff, &boxes.zeroDiff, &boxes.gamma1,
          &boxes.gamma2, &boxes.delta1, &boxes.delta2, &boxes.ign, &boxes.range, &boxes.c0})
        box->value();
}

}  // namespace mirvok::ui
