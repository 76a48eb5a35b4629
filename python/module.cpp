#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "registrations.hpp"
#include "version/version.hpp"

PYBIND11_MODULE(mirvok, m) {
    m.doc() =
        "Mirvok's model, analysis, generator, batches and sweeps, with NumPy arrays.\n\n"
        "Times are in ms, trains are step numbers (a step is 0.5 ms). Keyword arguments are "
        "named as mirvok-cli's options with '_' for '-', and take the window's defaults.";
    m.attr("__version__") = mirvok::kVersion;
    // NumPy's C API is looked up on first use into a function-local static,
    // importing numpy as it does; that import lets go of the GIL while it
    // reads files. Two threads making their first call at once then
    // deadlock: one waits in the static's guard holding the GIL, the other
    // waits for the GIL inside the guard. Looked up here, at import, under
    // the import lock, nothing is left to first use.
    pybind11::detail::npy_api::get();
    mirvok::python::registerErrors(m);
    mirvok::python::registerRun(m);
    mirvok::python::registerGenerate(m);
    mirvok::python::registerBatch(m);
    mirvok::python::registerSweep(m);
    mirvok::python::registerResults(m);
}
