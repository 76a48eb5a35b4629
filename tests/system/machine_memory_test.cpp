#include "system/machine_memory.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

TEST(machine_memory, available_memory_is_read_in_bytes_within_the_physical_memory) {
    const std::optional<std::uint64_t> available = availableMemoryBytes();
    ASSERT_TRUE(available.has_value());
    // Kilobytes taken for bytes, or the other way round, fall outside.
    EXPECT_GT(*available, std::uint64_t{1} << 20);
    EXPECT_LE(*available, physicalMemoryBytes());
}

}  // namespace
}  // namespace mirvok
