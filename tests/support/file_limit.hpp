#pragma once

#include <sys/resource.h>

#include <functional>

namespace mirvok::testing {

// Runs body in a child process whose files may grow to `limit` bytes, a
// write beyond it failing (SIGXFSZ ignored) as on a full disk; the test
// process keeps its own limits. True when body returned true.
bool inChildWithFileLimit(rlim_t limit, const std::function<bool()>& body);

}  // namespace mirvok::testing
