#pragma once

#include <pybind11/pybind11.h>

#include <string_view>
#include <vector>

namespace mirvok::python {

// A train given as any sequence or NumPy array of step numbers, as the
// core's steps. Integer dtypes only: a float step would otherwise be cut to
// an integer without a word. Steps beyond the range of int are held at its
// limit, so that they lie outside every run as in a train read from a file.
// Errors name the argument `name`.
std::vector<int> trainArgument(pybind11::handle train, std::string_view name);

// A train given as spike times in ms (any real or integer numbers), as
// steps: the step of time t is floor(2 t), the step it falls in. A negative
// or non-finite time is refused (ValueError); a time beyond the range of
// int becomes its limit, outside every run.
std::vector<int> msTrainArgument(pybind11::handle train, std::string_view name);

// Warns (UserWarning, at the caller of the package's function) that steps
// outside a run of Nsteps were left out, in the words the command line
// prints; nothing when none was. Throws error_already_set when warnings
// are errors.
void warnSkipped(std::size_t skipped, int Nsteps);

}  // namespace mirvok::python
