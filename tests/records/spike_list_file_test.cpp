#include "records/spike_list_file.hpp"

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "model/sim_state.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"
#include "trains/spike_train_reader.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;

TEST(spike_list_file, formats_each_step_with_a_comma_and_nothing_else) {
    struct Case {
        std::vector<int> steps;
        std::string text;
    };
    const Case cases[] = {
        {{}, ""},
        {{12, 57, 103}, "12,57,103,"},
        {{7}, "7,"},
        {{0, 2147483647}, "0,2147483647,"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatSpikeList(c.steps), c.text);
}

TEST(spike_list_file, saved_list_matches_golden_file_and_reads_back) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    writeSpikeList(path, {12, 57, 103});
    EXPECT_EQ(readFile(path), readFile(MIRVOK_TEST_DATA "/spike_list_12_57_103.txt"));
    EXPECT_EQ(readFile(path).size(), 10u);

    SimState state;
    state.Nsteps = 2000;
    const auto load = readSpikeTrainFile(state, path);
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(state.inSpikeSteps, (std::vector<int>{12, 57, 103}));
}

TEST(spike_list_file, replaces_an_existing_file_and_writes_empty_list_as_empty_file) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    writeSpikeList(path, {1, 2, 3, 4, 5, 6});
    writeSpikeList(path, {});
    EXPECT_EQ(readFile(path), "");
}

TEST(spike_list_file, failures_to_open_or_write_throw_could_not_write) {
    TempDir dir;
    const std::string unopenable[] = {dir.path(), dir.file("missing/list.txt"), ""};
    for (const std::string& path : unopenable) {
        EXPECT_THROW_MSG(writeSpikeList(path, {1}), FileError, "Could not write the file " + path);
    }
    // The device accepts the open and fails the write: a full disk.
    EXPECT_THROW_MSG(writeSpikeList("/dev/full", std::vector<int>({12, 57, 103})), FileError,
                     "Could not write the file /dev/full");
}

}  // namespace
}  // namespace mirvok
