#pragma once

#include <string>

#include "batch/batch_iteration.hpp"
#include "trains/generator_settings.hpp"
#include "values/batch_setup.hpp"

namespace mirvok::ui {

class ParameterBoxes;

// The boxes a batch reads as the command line's setup: the same values
// under the same names, so that a window batch and `mirvok-cli batch` are
// described alike, with the segments the window holds.
BatchSetup boxSetup(const ParameterBoxes& boxes, const Segments& segments, TrainChoice trains);

// Where a batch takes its trains from: the generator, or a replayed file.
enum class BatchSource { Generated, Replayed };

// The setup's values as FILE.json lists them (batchValuesJson); a replay,
// as the command line's, leaves out the generator's values it does not read.
Json boxValuesJson(const ParameterBoxes& boxes, const Segments& segments, TrainChoice trains,
                   BatchSource source);

}  // namespace mirvok::ui
