#pragma once

namespace mirvok {

// The CPUs this process may run on (its affinity mask, which a cluster's
// scheduler narrows to the cores it granted), at least 1: the threads a
// batch uses unless told otherwise.
int usableCpuCount();

}  // namespace mirvok
