#pragma once

#include <string>
#include <vector>

#include "ui/results/results_data.hpp"

namespace mirvok::ui {

// Every record of a result file as the batch scatter plots it (input CV, q
// and score as the records wrote them). Throws FileError when there is no
// such file or it cannot be read.
std::vector<BatchPoint> pointRecords(const std::string& path);

}  // namespace mirvok::ui
