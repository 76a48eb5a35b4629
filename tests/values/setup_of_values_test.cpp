#include "values/setup_of_values.hpp"

#include <gtest/gtest.h>

#include "base/errors.hpp"
#include "support/expect_throw_msg.hpp"
#include "text/json.hpp"
#include "values/value_texts.hpp"

namespace mirvok {
namespace {

TEST(setup_of_values, the_values_of_a_provenance_give_back_their_batch) {
    BatchSetup setup = batchSetupFrom({{"time", "600"}, {"gamma1", "0.0123"}, {"cv", "0.3"}},
                                      std::vector<std::string>{"400:15:0.5", "1199:30:1"});
    setup.generator.quantify = setup.generator.quantifyZeroOne = true;
    const BatchSetup read = setupOfValues(batchValuesJson(setup));
    EXPECT_EQ(batchValuesJson(read), batchValuesJson(setup));
    EXPECT_EQ(read.steps, 1200);
    EXPECT_EQ(read.headerShape, setup.headerShape);
    // A replay's values leave the generator's own out: their defaults.
    EXPECT_EQ(setupOfValues(Json::object()).generator.isiJitter, BatchSetup{}.generator.isiJitter);
}

TEST(setup_of_values, what_is_no_value_of_a_batch_is_refused_naming_it) {
    EXPECT_THROW_MSG(setupOfValues(parseJson(R"({"iterations": 5})").value()), Error,
                     "'iterations' is no value of a batch");
    EXPECT_THROW_MSG(setupOfValues(parseJson(R"({"time": 1.5})").value()), ValueError,
                     "1.5 is not a valid integer value");
    EXPECT_THROW_MSG(setupOfValues(parseJson(R"({"cv": "x"})").value()), ValueError,
                     "\"x\" is not a number");
    EXPECT_THROW_MSG(setupOfValues(parseJson(R"({"segments": [{"end": 0, "isi": 1}]})").value()),
                     ValueError,
                     "{\"end\":0,\"isi\":1} is no segment ending after the one before it");
}

}  // namespace
}  // namespace mirvok
