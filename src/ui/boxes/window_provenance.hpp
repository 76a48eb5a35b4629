#pragma once

#include <string>

#include "batch/batch_iteration.hpp"
#include "batch/batch_setup.hpp"
#include "model/sim_state.hpp"

namespace mirvok::ui {

class ParameterBoxes;

// The boxes a batch reads as the command line's setup: the same values
// under the same names, so that a window batch and `mirvok-cli batch` are
// described alike. The segments are the state's.
BatchSetup boxSetup(const ParameterBoxes& boxes, const SimState& state, TrainChoice trains);

// The setup's values as FILE.json lists them (batchValuesJson).
Json boxValuesJson(const ParameterBoxes& boxes, const SimState& state, TrainChoice trains);

}  // namespace mirvok::ui
