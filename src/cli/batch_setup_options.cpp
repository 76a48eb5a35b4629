#include "cli/batch_setup_options.hpp"

#include <iterator>
#include <stdexcept>

#include "cli/generator_setup.hpp"
#include "cli/option_values.hpp"
#include "system/machine_memory.hpp"

namespace mirvok::cli {

std::string& valueText(BatchTexts& t, std::string_view name) {
    std::string* const texts[] = {&t.model.time,    &t.model.v1Start,       &t.model.gamma1,
                                  &t.model.delta1,  &t.model.v2Start,       &t.model.gamma2,
                                  &t.model.delta2,  &t.model.epsilon,       &t.model.boundaryTol,
                                  &t.analysis.ign,  &t.analysis.range,      &t.analysis.c0,
                                  &t.generator.isi, &t.generator.isiJitter, &t.generator.cv};
    const std::vector<std::string_view>& names = batchValueNames();
    if (names.size() != std::size(texts)) throw std::logic_error("batch options and texts differ");
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return *texts[i];
    throw std::logic_error("no batch option " + std::string(name));
}

BatchSetup toBatchSetup(const BatchTexts& t) {
    const ModelValues model = toModelValues(t.model);
    BatchSetup setup;
    setup.reset = model.reset;
    setup.rates = model.rates;
    setup.analysis = toAnalysisParams(t.analysis);
    setup.stateTemplate.Nsteps = stepsForRunLength(model.reset.time, physicalMemoryBytes());
    const GeneratorSetup generator = toGeneratorSetup(t.generator, setup.stateTemplate.Nsteps);
    generator.applyTo(setup.stateTemplate);
    setup.generator = generator.settings;
    setup.headerShape = generator.shape;
    return setup;
}

}  // namespace mirvok::cli
