#include "system/machine_memory.hpp"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "system/cgroup_memory.hpp"
#include "system/file_chunks.hpp"

namespace mirvok {
namespace {

std::uint64_t askPhysicalMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

std::optional<std::uint64_t> machineAvailable() {
    // "MemAvailable:   21934524 kB"; some other lines carry no unit.
    constexpr std::string_view kKey = "MemAvailable:";
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        if (line.rfind(kKey, 0) != 0) continue;
        std::istringstream fields(line.substr(kKey.size()));
        std::uint64_t kilobytes = 0;
        if (fields >> kilobytes) return kilobytes * 1024;
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

std::uint64_t physicalMemoryBytes() {
    static const std::uint64_t bytes = askPhysicalMemory();
    return bytes;
}

std::optional<std::uint64_t> availableMemoryBytes() {
    std::optional<std::uint64_t> room = machineAvailable();
    const std::optional<std::uint64_t> group =
        cgroupRoomOf("/sys/fs/cgroup", readWholeFile("/proc/self/cgroup").value_or(""));
    if (group && (!room || *group < *room)) room = group;
    return room;
}

}  // namespace mirvok
