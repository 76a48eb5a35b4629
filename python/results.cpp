#include "registrations.hpp"

namespace mirvok::python {
void registerResults(pybind11::module_&) {}
}  // namespace mirvok::python
