#pragma once

#include <cstdint>
#include <optional>

namespace mirvok {

// This machine's physical memory in bytes, or 0 when the system does not
// say. Asked once per process: it does not change while a program runs, and
// asking costs a system call that a run made thousands of times a second
// must not pay.
std::uint64_t physicalMemoryBytes();

// The memory new allocations can take now without pushing the machine into
// swapping (MemAvailable of /proc/meminfo), or less where a control group
// holding this process (a cluster job, a container) leaves less, read afresh
// at every call; nullopt when the system does not say.
std::optional<std::uint64_t> availableMemoryBytes();

}  // namespace mirvok
