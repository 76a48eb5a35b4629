#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirvok {

// The memory a control group leaves its processes, from the texts of its
// limit (cgroup v2 memory.max, v1 memory.limit_in_bytes), its usage
// (memory.current, memory.usage_in_bytes) and its memory.stat: the limit
// less the usage, where the usage counts the inactive file cache as free,
// because the kernel drops that cache before it kills a process of the
// group. nullopt for no limit ("max", or v1's near-2^63 "unlimited") or a
// text that is not a number.
std::optional<std::uint64_t> cgroupRoom(std::string_view limit, std::string_view usage,
                                        std::string_view stat);

// The least room any control group holding this process leaves it, walking
// from its own group up to the mount point, under the cgroup file system
// mounted at `root` (v2 at root, v1's memory controller at root/memory),
// with the groups named in `selfCgroup` (the text of /proc/self/cgroup).
// nullopt when no group sets a limit. A batch that fits the machine but
// not a job's limit (a Slurm allocation, a container) would be killed
// rather than refused without it.
std::optional<std::uint64_t> cgroupRoomOf(const std::string& root, std::string_view selfCgroup);

}  // namespace mirvok
