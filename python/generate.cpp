#include "arguments.hpp"
#include "batch/setup_runs.hpp"
#include "owned_array.hpp"
#include "registrations.hpp"
#include "system/machine_memory.hpp"
#include "values.hpp"

namespace mirvok::python {
namespace {

// The train `mirvok-cli generate` writes for the same values and seed.
py::object generate(const Arguments& a) {
    // A batch's values with the model's and analysis' defaults: only the
    // run length and the generator's own matter here.
    const BatchSetup setup =
        batchSetupFrom(valueTexts(a, kGeneratorGroups), segmentTexts(a[Setting::Segments]));
    const std::uint64_t seed = seedArgument(a[Setting::Seed]);
    const bool returnSeed = boolArgument(a["return_seed"], "return_seed");
    std::vector<int> steps;
    {
        // A long train takes seconds: other threads run meanwhile.
        py::gil_scoped_release release;
        steps = generatedTrain(setup, seed, availableMemoryBytes().value_or(0));
    }
    py::object train = ownedArray(std::move(steps));
    if (returnSeed) return py::make_tuple(train, seed);
    return train;
}

}  // namespace

void registerGenerate(py::module_& m) {
    defineFunction(m, "generate", generate, "The compiled half of mirvok.generate.",
                   {keyword(Setting::Segments), keyword(Setting::Seed), "return_seed"},
                   kGeneratorGroups);
}

}  // namespace mirvok::python
