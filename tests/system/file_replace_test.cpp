#include "system/file_replace.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/file_limit.hpp"
#include "support/other_writer.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

mode_t modeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

std::size_t entriesIn(const std::string& dir) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
    return n;
}

TEST(file_replace, a_write_that_fails_leaves_the_old_file_as_it_was) {
    const std::string content(5000, '7');
    for (const bool existed : {true, false}) {
        TempDir dir;
        const std::string path = dir.file("list.txt");
        if (existed) {
            writeFile(path, "old");
            ::chmod(path.c_str(), 0640);
        }
        // Room for 100 bytes only, as on a nearly full disk.
        EXPECT_TRUE(testing::inChildWithFileLimit(100, [&] {
            try {
                replaceFileContent(path, content);
            } catch (const FileError& e) {
                return e.what() == "Could not write the file " + path;
            }
            return false;
        })) << existed;
        EXPECT_EQ(std::filesystem::exists(path), existed);
        EXPECT_EQ(entriesIn(dir.path()), existed ? 1U : 0U) << "a new file left behind";
        if (existed) {
            EXPECT_EQ(readFile(path), "old");
            EXPECT_EQ(modeOf(path), 0640U);
        }
    }
}

TEST(file_replace, keeps_the_mode_and_the_link_and_writes_pipes_directly) {
    TempDir dir;
    const std::string target = dir.file("list.txt");
    const std::string link = dir.file("link.txt");
    writeFile(target, "old content");
    ::chmod(target.c_str(), 0604);
    std::filesystem::create_symlink(target, link);
    replaceFileContent(link, "12,57,");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFile(target), "12,57,");
    EXPECT_EQ(modeOf(target), 0604U);

    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = readFile(fifo); });
    replaceFileContent(fifo, "1,2,3,");
    reader.join();
    EXPECT_EQ(received, "1,2,3,");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_NO_THROW(replaceFileContent("/dev/null", "1,"));
}

TEST(file_replace, a_file_another_process_writes_is_refused_and_left_as_it_was) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    const std::string later = dir.file("later.txt");
    writeFile(path, "theirs");
    // Made while later.txt was not there: it is locked when it is written.
    FileReplacement replacement(later);
    {
        const testing::OtherWriter other(path);
        const testing::OtherWriter another(later);
        ASSERT_TRUE(other.held() && another.held());
        const auto busy = [](const std::string& file, pid_t pid) {
            return file + " is being written by another Mirvok process (pid " +
                   std::to_string(pid) + ")";
        };
        EXPECT_THROW_MSG(FileReplacement early(path), FileBusy, busy(path, other.pid()));
        EXPECT_THROW_MSG(replaceFileContent(path, "mine"), FileBusy, busy(path, other.pid()));
        EXPECT_THROW_MSG(replacement.replace("mine"), FileBusy, busy(later, another.pid()));
    }
    EXPECT_EQ(readFile(path), "theirs");
    EXPECT_EQ(entriesIn(dir.path()), 2U) << "a new file left behind";
    replaceFileContent(path, "mine");
    EXPECT_EQ(readFile(path), "mine");
}

TEST(file_replace, a_link_to_no_file_is_followed_as_a_result_file_is_and_a_loop_refused) {
    TempDir dir;
    const std::string dangling = dir.file("dangling.txt");
    std::filesystem::create_symlink("made.txt", dangling);
    replaceFileContent(dangling, "1,");
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(readFile(dir.file("made.txt")), "1,");
    for (const std::string name : {"loop.txt", "nowhere.txt"}) {
        const std::string link = dir.file(name);
        std::filesystem::create_symlink(name == "loop.txt" ? link : dir.file("none/x.txt"), link);
        EXPECT_THROW_MSG(replaceFileContent(link, "1,"), FileError,
                         "Could not write the file " + link);
        EXPECT_TRUE(std::filesystem::is_symlink(link));
    }
    EXPECT_EQ(entriesIn(dir.path()), 4U) << "a new file left behind";
}

TEST(file_replace, a_file_beside_takes_the_place_only_once_complete) {
    TempDir dir;
    const std::string path = dir.file("p-00000.csv");
    writeFile(path, "old\n");
    ::chmod(path.c_str(), 0640);
    {
        FileBeside unfinished(path);
        unfinished.write("half");
    }
    EXPECT_EQ(readFile(path), "old\n");
    EXPECT_EQ(entriesIn(dir.path()), 1U) << "a new file left behind";
    FileBeside whole(path);
    whole.write("new\n");
    whole.write("lines\n");
    whole.place();
    EXPECT_EQ(readFile(path), "new\nlines\n");
    EXPECT_EQ(modeOf(path), 0640U);
    EXPECT_EQ(entriesIn(dir.path()), 1U);
}

TEST(file_replace, only_the_first_of_several_writers_places_a_new_file) {
    TempDir dir;
    const std::string path = dir.file("sweep.json");
    FileBeside first(path), second(path);
    first.write("first");
    second.write("second");
    EXPECT_TRUE(first.placeUnlessExists());
    EXPECT_FALSE(second.placeUnlessExists());
    EXPECT_EQ(readFile(path), "first");

    // Or under a name of its own beside, numbered before the extension.
    writeFile(dir.file("out.partial.csv"), "kept");
    FileBeside third(dir.file("out.csv"));
    third.write("third");
    EXPECT_EQ(third.placeUnderFreeName(dir.file("out.partial.csv")), dir.file("out.partial-2.csv"));
    EXPECT_EQ(readFile(dir.file("out.partial.csv")), "kept");
    EXPECT_EQ(readFile(dir.file("out.partial-2.csv")), "third");
}

TEST(file_replace, one_regular_file_is_told_by_what_it_is_not_by_its_names) {
    TempDir dir;
    writeFile(dir.file("a.csv"), "a");
    writeFile(dir.file("b.csv"), "a");
    std::filesystem::create_symlink(dir.file("a.csv"), dir.file("link.csv"));
    std::filesystem::create_hard_link(dir.file("a.csv"), dir.file("hard.csv"));
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    EXPECT_TRUE(sameRegularFile(dir.file("a.csv"), dir.path() + "/./a.csv"));
    EXPECT_TRUE(sameRegularFile(dir.file("a.csv"), dir.file("link.csv")));
    EXPECT_TRUE(sameRegularFile(dir.file("a.csv"), dir.file("hard.csv")));
    EXPECT_FALSE(sameRegularFile(dir.file("a.csv"), dir.file("b.csv")));
    EXPECT_FALSE(sameRegularFile(dir.file("a.csv"), dir.file("none.csv")));
    EXPECT_FALSE(sameRegularFile(dir.file("fifo"), dir.file("fifo")));
}

}  // namespace
}  // namespace mirvok
