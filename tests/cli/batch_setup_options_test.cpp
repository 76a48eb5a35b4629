#include "cli/batch_setup_options.hpp"

#include <gtest/gtest.h>

namespace mirvok::cli {
namespace {

TEST(batch_setup_options, every_number_option_a_sweep_varies_reaches_its_own_value) {
    const std::vector<NamedValue> defaults = batchValues(toBatchSetup({}));
    for (const std::string_view name : batchValueNames()) {
        BatchTexts texts;
        const bool integer = isIntegerValue(name);
        valueText(texts, name) = integer ? "7" : "0.1234";
        const std::vector<NamedValue> values = batchValues(toBatchSetup(texts));
        ASSERT_EQ(values.size(), defaults.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (values[i].name == name)
                EXPECT_EQ(values[i].value, integer ? 7.0 : 0.1234) << name;
            else
                EXPECT_EQ(values[i].value, defaults[i].value)
                    << name << " moved " << values[i].name;
        }
    }
}

}  // namespace
}  // namespace mirvok::cli
