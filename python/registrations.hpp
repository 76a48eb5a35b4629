#pragma once

#include <pybind11/pybind11.h>

namespace mirvok::python {

// Each adds one area of the module's functions to it.
void registerErrors(pybind11::module_& m);
void registerRun(pybind11::module_& m);
void registerGenerate(pybind11::module_& m);
void registerBatch(pybind11::module_& m);
void registerReplay(pybind11::module_& m);
void registerSweep(pybind11::module_& m);
void registerResults(pybind11::module_& m);

}  // namespace mirvok::python
