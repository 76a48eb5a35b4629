#include "batch/worker_kit.hpp"

#include <algorithm>

namespace mirvok {

int workersFor(int threads, int count) {
    // Beyond a few hundred threads no machine runs faster, while each one
    // costs a stack and a state with its traces: --threads 100000 would
    // exhaust the memory or the thread limit before the first run.
    constexpr int kMostWorkers = 256;
    return std::max(1, std::min({threads, count, kMostWorkers}));
}

}  // namespace mirvok
