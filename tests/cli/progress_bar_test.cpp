#include "cli/progress_bar.hpp"

#include <gtest/gtest.h>

namespace mirvok::cli {
namespace {

TEST(progress_bar, draws_nothing_when_disabled) {
    std::FILE* sink = std::tmpfile();
    {
        ProgressBar bar(100, false, sink);
        bar.update(50);
    }
    EXPECT_EQ(std::ftell(sink), 0);
    {
        ProgressBar bar(100, true, sink);
        bar.update(100);
    }
    EXPECT_GT(std::ftell(sink), 0);
    std::fclose(sink);
}

}  // namespace
}  // namespace mirvok::cli
