#pragma once

#include <pybind11/pybind11.h>

#include <vector>

namespace mirvok::python {

// A train given as any sequence or NumPy array of step numbers, as the
// core's steps. Integer dtypes only: a float step would otherwise be cut to
// an integer without a word. Steps beyond the range of int are held at its
// limit, so that they lie outside every run as in a train read from a file.
std::vector<int> trainArgument(pybind11::handle train);

}  // namespace mirvok::python
