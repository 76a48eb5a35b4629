#include "text/file_beside.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"
#include "text/errors.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::size_t entries(const std::string& dir) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir),
                                                  std::filesystem::directory_iterator()));
}

TEST(file_beside, a_file_is_replaced_whole_or_not_at_all) {
    TempDir dir;
    const std::string path = dir.file("summary.csv");
    writeFile(path, "old\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    {
        FileBeside unfinished(path);
        unfinished.write("half");
    }
    EXPECT_EQ(readFile(path), "old\n");
    EXPECT_EQ(entries(dir.path()), 1u);  // the temporary file is gone too

    replaceFile(path, "new\n");
    EXPECT_EQ(readFile(path), "new\n");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(entries(dir.path()), 1u);

    EXPECT_THROW_MSG(replaceFile(dir.file("no/such.csv"), "x"), FileError,
                     "Could not write the file " + dir.file("no/such.csv"));
}

TEST(file_beside, only_the_first_of_several_writers_places_a_new_file) {
    TempDir dir;
    const std::string path = dir.file("sweep.json");
    FileBeside first(path), second(path);
    first.write("first");
    second.write("second");
    EXPECT_TRUE(first.placeUnlessExists());
    EXPECT_FALSE(second.placeUnlessExists());
    EXPECT_EQ(readFile(path), "first");
}

}  // namespace
}  // namespace mirvok
