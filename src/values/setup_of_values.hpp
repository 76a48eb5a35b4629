#pragma once

#include "text/json_fwd.hpp"
#include "values/batch_setup.hpp"

namespace mirvok {

// The batch whose values FILE.json lists (batchValuesJson), to make its
// records again: every value of the table under its option name (one left
// out takes its default, as a replay leaves out the generator's own), the
// segments as {"end", "isi", "shape"} in order, quantify and c01. Each value
// is taken as the number written, which is the number the batch used, and
// what follows from it is derived and checked as batchSetupFrom does.
// Throws ValueError naming a value that is no number of its kind or that the
// core refuses, "segments" for segments that are no such list, and Error
// naming a member that is no value of a batch.
BatchSetup setupOfValues(const Json& values);

}  // namespace mirvok
