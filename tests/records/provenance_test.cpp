#include "records/provenance.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

using testing::readFile;
using testing::TempDir;
using testing::writeFile;

Provenance batchProvenance(long long runs) {
    Provenance p;
    p.program = "mirvok-cli";
    p.command = "batch";
    p.values = {{"gamma1", 0.009}};
    p.seed = 42;
    p.iterations = 100;
    p.runs = runs;
    p.started = std::chrono::system_clock::time_point{} + std::chrono::seconds(1700000000);
    p.ended = p.started + std::chrono::seconds(65);
    p.more["point"] = 3;
    return p;
}

// An entry as the writer before the JSON library laid it out.
constexpr const char* kEarlierEntry =
    R"({"program": "mirvok-cli", "version": "6.0", "command": "replay", )"
    R"("started": "2023-11-14T22:13:20Z", "ended": "2023-11-14T22:14:25Z", )"
    R"("values": {"gamma1": 1e-04, "time": 1000}, "source": "in.csv", "iterations": 7, )"
    R"("runs": 7, "continued_from": 2})";

TEST(provenance, each_batch_adds_one_entry_line_to_a_json_list_keeping_the_earlier_lines) {
    TempDir dir;
    const std::string result = dir.file("out.csv");
    writeFile(result, "NEW;...\n");
    const std::string entry = std::string(R"({"program":"mirvok-cli","version":")") + kVersion +
                              R"(","command":"batch","started":"2023-11-14T22:13:20Z",)"
                              R"("ended":"2023-11-14T22:14:25Z","values":{"gamma1":0.009},)"
                              R"("seed":42,"iterations":100,"runs":7,"point":3})";
    writeFile(result + ".json", std::string("[\n") + kEarlierEntry + "\n]\n");
    recordProvenance(result, batchProvenance(7), ProvenanceMode::Append);
    EXPECT_EQ(readFile(result + ".json"),
              std::string("[\n") + kEarlierEntry + ",\n" + entry + "\n]\n");
    EXPECT_EQ(readFile(result), "NEW;...\n");

    recordProvenance(result, batchProvenance(7), ProvenanceMode::Replace);
    EXPECT_EQ(readFile(result + ".json"), "[\n" + entry + "\n]\n");
    for (const char* notAList : {"not a list", "[{\"program\": 1}]"}) {
        writeFile(result + ".json", notAList);
        recordProvenance(result, batchProvenance(7), ProvenanceMode::Append);
        EXPECT_EQ(readFile(result + ".json"), "[\n" + entry + "\n]\n");
    }
}

TEST(provenance, entries_read_back_as_written_and_as_earlier_versions_wrote_them) {
    TempDir dir;
    const std::string result = dir.file("out.csv");
    writeFile(result, "NEW;...\n");
    writeFile(result + ".json", std::string("[\n") + kEarlierEntry + "\n]\n");
    Provenance written = batchProvenance(100);
    written.source = "a \"quoted\" na\xffme";
    recordProvenance(result, written, ProvenanceMode::Append);
    // The stray byte as U+FFFD, the exact name in hex.
    EXPECT_NE(readFile(result + ".json")
                  .find("\"source\":\"a \\\"quoted\\\" na\xEF\xBF\xBDme\","
                        "\"source_bytes\":\"61202271756f74656422206e61ff6d65\""),
              std::string::npos);

    const auto entries = readProvenance(provenancePath(result));
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    const Provenance& earlier = entries->front();
    EXPECT_EQ(earlier.version, "6.0");
    EXPECT_EQ(earlier.command, "replay");
    EXPECT_EQ(earlier.values, Json::parse(R"({"gamma1": 0.0001, "time": 1000})"));
    EXPECT_EQ(earlier.seed, std::nullopt);
    EXPECT_EQ(earlier.source, "in.csv");
    EXPECT_EQ(earlier.ended - earlier.started, std::chrono::seconds(65));
    EXPECT_EQ(earlier.more, Json::parse(R"({"continued_from": 2})"));
    EXPECT_EQ(entries->back(), written);
    EXPECT_EQ(readProvenance(dir.file("none.json")), std::nullopt);
}

TEST(provenance, a_file_that_is_no_list_of_entries_is_refused_naming_what_is_wrong) {
    const std::string entry = kEarlierEntry;
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = entry;
        text.replace(text.find(from), from.size(), to);
        return "[" + text + "]";
    };
    const struct {
        std::string text;
        const char* why;
    } cases[] = {
        {"[" + entry, "it is no JSON"},
        {std::string(40, '[') + std::string(40, ']'), "it is no JSON"},
        {entry, "it is no list"},
        {"[" + entry + ", 3]", "entry 2 is not an object"},
        {with(R"("program": "mirvok-cli", )", ""), R"(entry 1: "program" is not a text)"},
        {with(R"("runs": 7)", R"("runs": 7.0)"), R"(entry 1: "runs" is not a whole number)"},
        {with(R"("runs": 7)", R"("runs": 9223372036854775808)"),
         R"(entry 1: "runs" is not a whole number)"},
        {with(R"("source")", R"("seed": -1, "source")"), R"(entry 1: "seed" is not a seed)"},
        {with("22:14:25Z", "22:14:25"), R"(entry 1: "ended" is not a time)"},
        {with("2023-11-14", "1969-11-14"), R"(entry 1: "started" is not a time)"},
        {with("2023-11-14", "2262-11-14"), R"(entry 1: "started" is not a time)"},
        {with("2023-11-14", "2023-02-30"), R"(entry 1: "started" is not a time)"},
        {with(R"({"gamma1": 1e-04, "time": 1000})", "[]"), R"(entry 1: "values" is not an object)"},
        {with(R"("in.csv")", R"("in.csv", "source_bytes": "f")"),
         R"(entry 1: "source_bytes" is not hex bytes)"},
    };
    for (const auto& c : cases) EXPECT_THROW_MSG(parseProvenance(c.text), Error, c.why);

    TempDir dir;
    writeFile(dir.file("r.csv.json"), "{}");
    EXPECT_THROW_MSG(
        readProvenance(dir.file("r.csv.json")), Error,
        dir.file("r.csv.json") + " is not a list of provenance entries: it is no list");
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
