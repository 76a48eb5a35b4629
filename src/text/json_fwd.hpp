#pragma once

#include <nlohmann/json_fwd.hpp>

namespace mirvok {

// A JSON value whose objects keep their members in the order they were
// added, so that a file lists them in the order a reader expects (program,
// version, command, ...) and a file read and written again keeps its order.
// Declared here for headers that only pass values on; text/json.hpp has the
// rest.
using Json = nlohmann::ordered_json;

}  // namespace mirvok
