#include "ui/batch/window_provenance.hpp"

#include "text/json.hpp"
#include "ui/boxes/box_params.hpp"
#include "values/value_table.hpp"

namespace mirvok::ui {

BatchSetup boxSetup(const ParameterBoxes& boxes, const Segments& segments, TrainChoice trains) {
    BatchSetup setup;
    for (const ValueRow& row : valueTable()) row.set(setup, boxes.valueBox(row).value());
    setup.generator.segmentMode = trains.segmentMode;
    setup.generator.quantify = trains.quantify;
    setup.generator.quantifyZeroOne = trains.quantify && trains.quantifyZeroOne;
    setup.generator.segments = segments;
    setup.headerShape = boxes.shape.value();
    return setup;
}

Json boxValuesJson(const ParameterBoxes& boxes, const Segments& segments, TrainChoice trains,
                   BatchSource source) {
    const BatchSetup setup = boxSetup(boxes, segments, trains);
    return source == BatchSource::Replayed ? batchValuesJson(setup, notReadByReplay())
                                           : batchValuesJson(setup);
}

}  // namespace mirvok::ui
