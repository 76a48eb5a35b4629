#include "system/cgroup_memory.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

TEST(cgroup_memory, room_is_the_limit_less_what_the_group_cannot_give_back) {
    struct Case {
        const char* limit;
        const char* usage;
        const char* stat;
        std::optional<std::uint64_t> room;
    };
    const Case cases[] = {
        {"1000\n", "400\n", "", 600},
        {"1000\n", "400\n", "active_file 50\ninactive_file 100\n", 700},
        {"1000\n", "400\n", "inactive_file 9\ntotal_inactive_file 300\n", 900},
        {"1000\n", "1200\n", "", 0},
        {"max\n", "400\n", "", std::nullopt},
        {"9223372036854771712\n", "400\n", "", std::nullopt},
        {"1000 kB\n", "400\n", "", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(cgroupRoom(c.limit, c.usage, c.stat), c.room) << c.limit << " " << c.stat;
}

TEST(cgroup_memory, the_least_room_of_the_group_and_its_parents_counts) {
    testing::TempDir root;
    const auto group = [&](const std::string& path, const char* limit, const char* usage) {
        std::filesystem::create_directories(root.path() + path);
        testing::writeFile(root.path() + path + "/memory.max", limit);
        testing::writeFile(root.path() + path + "/memory.current", usage);
    };
    group("/job", "1000\n", "300\n");
    group("/job/step", "max\n", "200\n");
    group("/other", "10\n", "0\n");
    EXPECT_EQ(cgroupRoomOf(root.path(), "0::/job/step\n"), 700U);
    EXPECT_EQ(cgroupRoomOf(root.path(), "0::/elsewhere\n"), std::nullopt);
    // v1 keeps the memory controller's groups in a folder of their own.
    std::filesystem::create_directories(root.path() + "/memory/job");
    testing::writeFile(root.path() + "/memory/job/memory.limit_in_bytes", "500\n");
    testing::writeFile(root.path() + "/memory/job/memory.usage_in_bytes", "100\n");
    EXPECT_EQ(cgroupRoomOf(root.path(), "5:cpu:/x\n4:memory:/job\n"), 400U);
}

}  // namespace
}  // namespace mirvok
