#include "values/value_changes.hpp"

#include <gtest/gtest.h>

namespace mirvok {
namespace {

TEST(value_changes, each_edit_is_listed_from_the_first_run_that_reads_it) {
    const Json start = {
        {"gamma1", 0.009}, {"cv", 0.02}, {"c0", 0.3333}, {"quantify", true}, {"iterations", 100}};
    ValueChanges changes(start, false);
    Json now = start;
    now["gamma1"] = 0.01;  // a rate: from the next step of run 5
    now["cv"] = 0.5;       // the generator's: run 6 draws with it
    now["c0"] = 0.5;       // the analysis': after run 5's last step
    changes.note(now, 5, BatchMoment::Stepping);
    now.erase("quantify");
    now["iterations"] = 50;  // run 6 was counted already
    changes.note(now, 6, BatchMoment::BeforeRun);
    const Json json = changes.json();
    EXPECT_EQ(json, parseJson(R"([{"from_run": 5, "within_run": true, "gamma1": 0.01},
                                  {"from_run": 5, "c0": 0.5},
                                  {"from_run": 6, "cv": 0.5},
                                  {"from_run": 6, "quantify": null},
                                  {"from_run": 7, "iterations": 50}])"));
    EXPECT_EQ(valuesOfRun(start, json, 5),
              parseJson(R"({"gamma1": 0.01, "cv": 0.02, "c0": 0.5, "quantify": true,
                            "iterations": 100})"));
    EXPECT_EQ(valuesOfRun(start, json, 6)["cv"], 0.5);
    EXPECT_FALSE(valuesOfRun(start, json, 6).contains("quantify"));
    EXPECT_EQ(editedWithinRun(json, 5), std::vector<std::string>{"gamma1"});
    EXPECT_EQ(changeRuns(json), (std::vector<int>{5, 6, 7}));

    // A replay reads neither the count nor the generator's values.
    ValueChanges replay(start, true);
    Json edited = start;
    edited["cv"] = 0.5;
    edited["iterations"] = 50;
    replay.note(edited, 6, BatchMoment::BeforeRun);
    EXPECT_EQ(replay.json(), Json::array());
}

}  // namespace
}  // namespace mirvok
