#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "base/errors.hpp"
#include "model/value_source.hpp"
#include "values/batch_setup.hpp"
#include "values/value_table.hpp"

namespace mirvok {

// A run's values fixed in advance: a setup's (its defaults until a test
// changes them), each read from its row of the value table as the front
// ends read them. Every read is logged under the value's option name, and
// the reads of one value can be made to fail from a chosen one on, as a box
// holding text that does not convert would.
struct TestValues final : ValueSource {
    BatchSetup setup;
    std::string failOn;  // "gamma1", "v1-start", "c0", ...
    int failFrom = 0;    // the reads of it before this one succeed
    std::vector<std::string> reads;

    double value(RunValue key) override {
        const ValueRow& row = rowOfRunValue(key);
        reads.push_back(row.option);
        if (row.option == failOn && count(row.option) > failFrom)
            throw EConvertError("'x' is not a valid floating point value");
        return row.get(setup);
    }
    std::uint64_t memoryBytes() override { return setup.reset.memory; }

    int count(const std::string& option) const {
        return static_cast<int>(std::count(reads.begin(), reads.end(), option));
    }
};

}  // namespace mirvok
