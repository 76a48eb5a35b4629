#include "system/cpu_count.hpp"

#include <sched.h>

#include <cerrno>
#include <memory>
#include <thread>

namespace mirvok {
namespace {

struct CpuSetFree {
    void operator()(cpu_set_t* set) const { CPU_FREE(set); }
};

// The CPUs in this process's affinity mask, asked with masks large enough
// for any number of CPUs the system has; 0 when it cannot be told.
int affinityCount() {
    for (int cpus = 1024; cpus <= (1 << 20); cpus *= 4) {
        const std::unique_ptr<cpu_set_t, CpuSetFree> set(CPU_ALLOC(cpus));
        if (!set) return 0;
        const std::size_t size = CPU_ALLOC_SIZE(cpus);
        CPU_ZERO_S(size, set.get());
        if (sched_getaffinity(0, size, set.get()) == 0) return CPU_COUNT_S(size, set.get());
        if (errno != EINVAL) return 0;
    }
    return 0;
}

}  // namespace

int usableCpuCount() {
    const int affinity = affinityCount();
    if (affinity > 0) return affinity;
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

}  // namespace mirvok
