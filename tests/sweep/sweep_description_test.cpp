#include "sweep/sweep_description.hpp"

#include <gtest/gtest.h>

#include "records/provenance.hpp"
#include "support/temp_dir.hpp"

namespace mirvok {
namespace {

// sweep.json and the summary of `mirvok-cli sweep --vary cv=0.1,1 --vary
// isi=20,2500 --gamma1 0.0001 --epsilon 100000 --iterations 3 --seed 7
// --time 300 --keep-records` as version 6.1 wrote them.
const std::string kEarlier = std::string(MIRVOK_TEST_DATA) + "/v6.1/whole";

SweepDescription earlierDescription() {
    const auto description = parseDescription(testing::readFile(kEarlier + "/sweep.json"));
    EXPECT_TRUE(description);
    return description.value_or(SweepDescription{});
}

Json earlierJson() {
    return Json::parse(testing::readFile(kEarlier + "/sweep.json"));
}

TEST(sweep_description, any_layout_of_one_sweep_is_that_sweep_with_its_earlier_fingerprint) {
    const SweepDescription earlier = earlierDescription();
    const auto summaries = readProvenance(kEarlier + "/summary.csv.json");
    ASSERT_TRUE(summaries);
    EXPECT_EQ(fingerprint(earlier), summaries->front().more["sweep"]);

    const std::string texts[] = {
        descriptionText(earlier),
        earlierJson().dump(4),                  // re-indented, as python -m json.tool does
        nlohmann::json(earlierJson()).dump(1),  // every object's members sorted
    };
    for (const std::string& text : texts) {
        const auto again = parseDescription(text);
        ASSERT_TRUE(again) << text;
        EXPECT_TRUE(sameSweep(*again, earlier)) << text;
        EXPECT_EQ(fingerprint(*again), fingerprint(earlier)) << text;
    }
}

TEST(sweep_description, a_sweep_with_any_value_changed_is_another_sweep) {
    const SweepDescription earlier = earlierDescription();
    const char* const changes[] = {
        R"({"values": {"delta1": 0.46}})",
        R"({"values": {"segments": []}})",
        R"({"vary": [{"name": "cv", "values": [0.1, 1]}, {"name": "isi", "values": [20, 2501]}]})",
        R"({"iterations": 4})",
        R"({"keep-records": false})",
        R"({"seed": 8})",
        R"({"values": {"ign": null, "isi": 20},
            "vary": [{"name": "cv", "values": [0.1, 1]}, {"name": "ign", "values": [2, 3]}]})",
    };
    for (const char* change : changes) {
        Json json = earlierJson();
        json.merge_patch(Json::parse(change));
        const auto other = parseDescription(json.dump());
        ASSERT_TRUE(other) << change;
        EXPECT_FALSE(sameSweep(*other, earlier)) << change;
        EXPECT_NE(fingerprint(*other), fingerprint(earlier)) << change;
    }
}

TEST(sweep_description, a_text_that_is_not_exactly_a_description_holds_none) {
    const char* const changes[] = {
        R"({"points": 5})",
        R"({"points": null})",
        R"({"note": "mine"})",
        R"({"iterations": 3.0})",
        R"({"seed": -7})",
        R"({"keep-records": 1})",
        R"({"values": [1]})",
        R"({"vary": {}})",
        R"({"vary": [{"name": "cv", "values": []}], "points": 0})",
        R"({"vary": [{"name": "cv", "values": ["0.1", "1", "2", "3"]}]})",
        R"({"vary": [{"name": "cv", "values": [1, 2, 3, 4], "unit": "ms"}]})",
        // Values that do not give every point each value of a batch once.
        R"({"values": {"time": null}})",
        R"({"values": {"time": "300"}})",
        R"({"values": {"time": 300.5}})",
        R"({"values": {"speed": 1}})",
        R"({"values": {"cv": 0.5}})",
        R"({"values": {"quantify": 1}})",
        R"({"vary": [{"name": "cv", "values": [0.1, 1]}, {"name": "cv", "values": [2, 3]}]})",
        R"({"vary": [{"name": "cv", "values": [0.1, 1]}, {"name": "speed", "values": [2, 3]}]})",
        R"({"values": {"ign": null, "isi": 20},
            "vary": [{"name": "cv", "values": [0.1, 1]}, {"name": "ign", "values": [2, 3.5]}]})",
    };
    for (const char* change : changes) {
        Json json = earlierJson();
        json.merge_patch(Json::parse(change));
        EXPECT_EQ(parseDescription(json.dump()), std::nullopt) << change;
    }
    EXPECT_EQ(parseDescription("[]"), std::nullopt);
}

}  // namespace
}  // namespace mirvok
