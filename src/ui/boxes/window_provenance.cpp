#include "ui/boxes/window_provenance.hpp"

#include "text/json.hpp"
#include "ui/boxes/box_params.hpp"

namespace mirvok::ui {

BatchSetup boxSetup(const ParameterBoxes& boxes, const SimState& state, TrainChoice trains) {
    BatchSetup setup;
    setup.reset.time = boxes.time.intValue();
    setup.reset.v1 = boxes.v1Start.value();
    setup.reset.v2 = boxes.v2Start.value();
    setup.reset.eps = boxes.maxDiff.value();
    setup.reset.tol = boxes.zeroDiff.value();
    setup.rates.g1 = boxes.gamma1.value();
    setup.rates.g2 = boxes.gamma2.value();
    setup.rates.d1 = boxes.delta1.value();
    setup.rates.d2 = boxes.delta2.value();
    setup.analysis.ignSteps = boxes.ign.intValue();
    setup.analysis.rangeIntervals = boxes.range.intValue();
    setup.analysis.c0Value = boxes.c0.value();
    setup.generator.cv = boxes.cv.value();
    setup.generator.isi = boxes.isi.value();
    setup.generator.isiJitter = boxes.isiJitter.value();
    setup.generator.segmentMode = trains.segmentMode;
    setup.generator.quantify = trains.quantify;
    setup.generator.quantifyZeroOne = trains.quantify && trains.quantifyZeroOne;
    setup.stateTemplate.segBounds = state.segBounds;
    setup.stateTemplate.segIsi = state.segIsi;
    setup.stateTemplate.segShape = state.segShape;
    setup.headerShape = boxes.shape.value();
    return setup;
}

Json boxValuesJson(const ParameterBoxes& boxes, const SimState& state, TrainChoice trains) {
    return batchValuesJson(boxSetup(boxes, state, trains));
}

}  // namespace mirvok::ui
