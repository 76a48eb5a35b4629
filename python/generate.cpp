#include "arguments.hpp"
#include "batch/batch_setup.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "system/machine_memory.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

using namespace pybind11::literals;

// The train `mirvok-cli generate` writes for the same values and seed.
py::object generate(const Arguments& a) {
    // A batch's values with the model's and analysis' defaults: only the
    // run length and the generator's own matter here.
    const BatchSetup setup =
        batchSetupFrom(valueTexts(a, kGeneratorGroups), segmentTexts(a["segments"]));
    const std::uint64_t seed = seedArgument(a["seed"]);
    return ownedArray(generatedTrain(setup, seed, availableMemoryBytes().value_or(0)));
}

}  // namespace

void registerGenerate(py::module_& m) {
    const std::string doc = std::string(R"(Generates one gamma spike train.

Returns its steps as an int32 array (a step is 0.5 ms), the train
`mirvok-cli generate` writes for the same values and seed.

segments: None, or a list of (end_step, isi, cv) giving the mean interval
(ms) and CV of each stretch up to and including end_step; the last end_step
must be the run's last step (2 * time - 1). seed: 0 .. 2147483647, or None
for one from the clock.

)") + valuesDoc(kGeneratorGroups);
    defineFunction<0, 6>(m, "generate", generate, doc.c_str(), {},
                         joined({valueKeywords(kGeneratorGroups),
                                 {"segments"_a = py::none(), "seed"_a = py::none()}}));
}

}  // namespace mirvok::python
