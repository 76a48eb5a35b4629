#include "system/cgroup_memory.hpp"

#include <algorithm>
#include <charconv>
#include <vector>

#include "system/file_chunks.hpp"

namespace mirvok {
namespace {

// v1 writes "no limit" as the largest page-aligned signed 64-bit value.
constexpr std::uint64_t kNoLimitAbove = std::uint64_t{1} << 62;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    return text;
}

std::optional<std::uint64_t> number(std::string_view text) {
    text = trimmed(text);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// The first line of text, which then starts after it.
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    return line;
}

// The value of `key` in a memory.stat text ("inactive_file 1213673472").
std::uint64_t statValue(std::string_view stat, std::string_view key) {
    while (!stat.empty()) {
        const std::string_view line = nextLine(stat);
        if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == ' ')
            return number(line.substr(key.size() + 1)).value_or(0);
    }
    return 0;
}

struct Hierarchy {
    std::string mount;  // where the group files of this hierarchy live
    std::string group;  // this process's group below it ("/a/b")
    bool v2 = false;
};

// The memory hierarchies /proc/self/cgroup names: "0::/a/b" (v2) and
// "4:memory:/a/b" (v1's memory controller, possibly shared "memory,x").
std::vector<Hierarchy> hierarchies(const std::string& root, std::string_view self) {
    std::vector<Hierarchy> found;
    while (!self.empty()) {
        const std::string_view line = nextLine(self);
        const std::size_t first = line.find(':');
        const std::size_t second = line.find(':', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) continue;
        const std::string_view controllers = line.substr(first + 1, second - first - 1);
        const std::string group(trimmed(line.substr(second + 1)));
        if (controllers.empty())
            found.push_back({root, group, true});
        else if (("," + std::string(controllers) + ",").find(",memory,") != std::string::npos)
            found.push_back({root + "/memory", group, false});
    }
    return found;
}

std::optional<std::uint64_t> roomOfGroup(const std::string& folder, bool v2) {
    const auto limit = readWholeFile(folder + (v2 ? "/memory.max" : "/memory.limit_in_bytes"));
    const auto usage = readWholeFile(folder + (v2 ? "/memory.current" : "/memory.usage_in_bytes"));
    if (!limit || !usage) return std::nullopt;
    return cgroupRoom(*limit, *usage, readWholeFile(folder + "/memory.stat").value_or(""));
}

std::optional<std::uint64_t> least(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

}  // namespace

std::optional<std::uint64_t> cgroupRoom(std::string_view limit, std::string_view usage,
                                        std::string_view stat) {
    const std::optional<std::uint64_t> limitBytes = number(limit);
    const std::optional<std::uint64_t> usageBytes = number(usage);
    if (!limitBytes || !usageBytes || *limitBytes >= kNoLimitAbove) return std::nullopt;
    // v1 names it total_inactive_file for the group with its children.
    std::uint64_t cache = statValue(stat, "total_inactive_file");
    if (cache == 0) cache = statValue(stat, "inactive_file");
    const std::uint64_t used = *usageBytes - std::min(cache, *usageBytes);
    return *limitBytes > used ? *limitBytes - used : 0;
}

std::optional<std::uint64_t> cgroupRoomOf(const std::string& root, std::string_view selfCgroup) {
    std::optional<std::uint64_t> room;
    for (const Hierarchy& h : hierarchies(root, selfCgroup)) {
        // Inside a container the group's own path may not be visible; the
        // mount point is then the group itself.
        std::string group = h.group;
        while (true) {
            room = least(room, roomOfGroup(h.mount + group, h.v2));
            if (group.empty() || group == "/") break;
            group.erase(std::min(group.rfind('/'), group.size()));
        }
    }
    return room;
}

}  // namespace mirvok
