#include <pybind11/pybind11.h>

#include "registrations.hpp"
#include "version/version.hpp"

PYBIND11_MODULE(mirvok, m) {
    m.doc() =
        "Mirvok's model, analysis, generator, batches and sweeps, with NumPy arrays.\n\n"
        "Times are in ms, trains are step numbers (a step is 0.5 ms). Keyword arguments are "
        "named as mirvok-cli's options with '_' for '-', and take the window's defaults.";
    m.attr("__version__") = mirvok::kVersion;
    mirvok::python::registerErrors(m);
    mirvok::python::registerRun(m);
    mirvok::python::registerGenerate(m);
    mirvok::python::registerBatch(m);
    mirvok::python::registerSweep(m);
    mirvok::python::registerResults(m);
}
