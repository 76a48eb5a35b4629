#include "arguments.hpp"
#include "batch/batch_iteration.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "system/machine_memory.hpp"
#include "trains/gamma_generator.hpp"
#include "trains/random/random_source.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

using namespace pybind11::literals;

// The train `mirvok-cli generate` writes for the same values and seed.
py::object generate(const Arguments& a) {
    // A batch's values with the model's and analysis' defaults: only the
    // run length and the generator's own matter here.
    const std::vector<py::arg_v> keywords = batchValueKeywords();
    const BatchSetup setup = toBatchSetup(valueTexts(a, keywords), segmentTexts(a["segments"]));
    const std::uint64_t seed = seedArgument(a["seed"]);

    SimState state = setup.stateTemplate;
    SettingsEntries entries(setup.generator, shapeTextForCv(setup.generator.cv, '.'));
    Pcg31 source = iterationSource(seed, 0);
    makeBatchTrain(state, entries, source, setup.generator.segmentMode, false, false,
                   availableMemoryBytes().value_or(0));
    return ownedArray(std::move(state.inSpikeSteps));
}

}  // namespace

void registerGenerate(py::module_& m) {
    const std::string doc = std::string(R"(Generates one gamma spike train.

Returns its steps as an int32 array (a step is 0.5 ms), the train
`mirvok-cli generate` writes for the same values and seed.

time: run length in ms (int). segments: None, or a list of (end_step, isi, cv)
giving the mean interval (ms) and CV of each stretch up to and including
end_step; the last end_step must be the run's last step (2 * time - 1).
seed: 0 .. 2147483647, or None for one from the clock.
)") + kGeneratorDoc;
    defineFunction<0, 6>(m, "generate", generate, doc.c_str(), {},
                         joined({{"time"_a = 1000},
                                 generatorKeywords(),
                                 {"segments"_a = py::none(), "seed"_a = py::none()}}));
}

}  // namespace mirvok::python
