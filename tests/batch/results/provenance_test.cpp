#include "batch/results/provenance.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/temp_dir.hpp"
#include "version/version.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

Provenance batchProvenance(long long runs) {
    Provenance p;
    p.program = "mirvok-cli";
    p.command = "batch";
    p.values = "{\"gamma1\": 0.009}";
    p.seed = 42;
    p.iterations = 100;
    p.runs = runs;
    p.started = std::chrono::system_clock::time_point{} + std::chrono::seconds(1700000000);
    p.ended = p.started + std::chrono::seconds(65);
    p.more.member("point", 3LL);
    return p;
}

TEST(provenance, each_batch_adds_one_entry_line_to_a_json_list) {
    TempDir dir;
    const std::string result = dir.file("out.csv");
    writeFile(result, "NEW;...\n");
    const auto entry = [](const std::string& runs) {
        // Appended rather than added up: GCC 12 warns falsely (array-bounds)
        // about a long chain of string additions in some builds.
        std::string text = "{\"program\": \"mirvok-cli\", \"version\": \"";
        text.append(kVersion)
            .append(
                "\", \"command\": \"batch\", \"started\": \"2023-11-14T22:13:20Z\", "
                "\"ended\": \"2023-11-14T22:14:25Z\", \"values\": {\"gamma1\": 0.009}, "
                "\"seed\": 42, \"iterations\": 100, \"runs\": ")
            .append(runs)
            .append(", \"point\": 3}");
        return text;
    };
    recordProvenance(result, batchProvenance(100), ProvenanceMode::Replace);
    const std::string first = entry("100");
    EXPECT_EQ(readFile(result + ".json"), "[\n" + first + "\n]\n");

    recordProvenance(result, batchProvenance(7), ProvenanceMode::Append);
    const std::string second = entry("7");
    EXPECT_EQ(readFile(result + ".json"), "[\n" + first + ",\n" + second + "\n]\n");
    EXPECT_EQ(readFile(result), "NEW;...\n");

    recordProvenance(result, batchProvenance(7), ProvenanceMode::Replace);
    EXPECT_EQ(readFile(result + ".json"), "[\n" + second + "\n]\n");
    writeFile(result + ".json", "not a list");
    recordProvenance(result, batchProvenance(7), ProvenanceMode::Append);
    EXPECT_EQ(readFile(result + ".json"), "[\n" + second + "\n]\n");
}

TEST(provenance, none_beside_a_pipe) {
    TempDir dir;
    const std::string pipe = dir.file("fifo");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    recordProvenance(pipe, batchProvenance(1), ProvenanceMode::Replace);
    EXPECT_FALSE(std::filesystem::exists(pipe + ".json"));
}

}  // namespace
}  // namespace mirvok
