#include "batch/worker_kit.hpp"

#include <algorithm>

namespace mirvok {

const BatchSetup WorkerKit::kDefaultSetup{};

int workersFor(int threads, int count) {
    return std::max(1, std::min({threads, count, kMostThreads}));
}

}  // namespace mirvok
