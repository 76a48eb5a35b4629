#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "registrations.hpp"
#include "version/version.hpp"

PYBIND11_MODULE(_mirvok, m) {
    m.doc() =
        "The compiled half of the package mirvok, whose functions give every one of these its "
        "arguments by keyword; use the package.";
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
    mirvok::python::registerReplay(m);
    mirvok::python::registerSweep(m);
    mirvok::python::registerResults(m);
}
